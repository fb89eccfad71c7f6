// The page's sound: the game plays it through Emscripten's OpenAL over Web
// Audio (sound/WebPlayer.cpp); this page part
//  - resumes audio from the player's keys, clicks and taps, since a browser
//    starts audio only after a gesture (and Chrome for Android does not take
//    the touchstart Emscripten listens for);
//  - silences it while the page is hidden;
//  - offers a button that turns sound off and on as F2 does, for touch and
//    mouse alike: in the row beside Pause and Give up on a touch screen, in
//    the bar under the game otherwise. The game keeps the choice in the
//    page's storage.
'use strict';
(function() {
  var $ = function(id) { return document.getElementById(id); };
  var button = $('sound');
  function call(name) {
    var f = Module['_glyphtumble_sound_' + name];
    return Module.gameRunning && f ? f() : -1;
  }
  function label(on) {
    button.textContent = on ? 'Sound: on (F2)' : 'Sound: off (F2)';
    button.setAttribute('aria-pressed', on ? 'true' : 'false');
  }
  Module.onSoundSwitch = label;
  button.addEventListener('click', function() { call('switch'); });
  ['keydown', 'pointerup', 'touchend'].forEach(function(type) {
    window.addEventListener(type, function() { call('resume'); }, true);
  });
  document.addEventListener('visibilitychange', function() { call(document.hidden ? 'pause' : 'resume'); });
  if (!document.documentElement.classList.contains('touch')) $('bar').insertBefore(button, $('full'));
  var started = Module.onGameStart;
  Module.onGameStart = function() {
    if (started) started();
    label(call('on') == 1);
  };
})();
