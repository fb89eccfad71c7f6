// The page around the game: the layout, and the controls a phone or tablet
// player has instead of keys. Touch reaches the game only through the key,
// arrow and mouse callbacks the desktop reaches (Module.game, made by
// web/library_page.js), so the rules are the same whatever the input.
//  - The canvas keeps the game's 4:3 picture and fits the window, with the
//    controls beside it in landscape; held upright, it shows in play the
//    well as wide as the screen with the status panel and the recent words
//    under it, with the controls below; its drawing buffer is its size in
//    device pixels, capped for software renderers.
//  - A tap on the title menu or the Hall of Fame is a click there.
//  - In play, a drag across moves the falling block a column per column
//    width of travel, a tap beside the block steps it one column, and a
//    swipe down, or a finger held on the lower part of the well, drops it
//    fast (Down held) until it lands or the finger lifts.
//  - Pause and Give up are buttons (Tab and Escape; Give up ends a paused
//    game too); a hidden page pauses.
//  - While a '?' block falls, a strip of A-Z buttons types its letter, and
//    in a language its own letters too (German's Ä Ö Ü, Spanish's Ñ).
//  - At a qualifying score, a text field takes the name with the device's
//    own keyboard and passes each change on as typed keys.
'use strict';
(function() {
  var $ = function(id) { return document.getElementById(id); };
  // The game's states and keys, as the game numbers them.
  var TitleMenu = 0, BlockFalling = 3, GameOver = 7, HallOfFame = 8, Paused = 9;
  var Backspace = 8, Tab = 9, Enter = 13, Escape = 27, Left = 100, Right = 102, Down = 103;
  // The scene is 20 columns by 15 rows; the well is its left 11 columns, and
  // its rows below the surface row, 7 of 15, are the lower part.
  var SceneColumns = 20, WellColumns = 11, LowerPart = 7 / 15;
  var MaxBufferPixels = 1024 * 768; // a software renderer's comfortable frame
  var SideWidth = 160, BelowHeight = 200; // the least room the controls get
  // The side column's parts, in CSS pixels as the page's style sets them:
  // its padding, the gap between its rows, the button row's least button
  // width and its height, and a letter key's width, least and most height
  // and the gap between keys.
  var SidePadding = 6, RowGap = 8, ButtonWidth = 64, ButtonHeight = 48;
  var KeyWidth = 36, KeyLeast = 32, KeyMost = 40, KeyGap = 4, Letters = 26; // more in a language with letters of its own
  var HoldTime = 250; // ms a still finger waits before it drops the block

  var canvas = $('canvas'), stage = $('stage'), letters = $('letters');
  var touch = navigator.maxTouchPoints > 0 || 'ontouchstart' in window;
  document.documentElement.classList.toggle('touch', touch);
  var game = null; // Module.game once the game runs
  var explicitSize = /[?&][wh]=/.test(location.search);

  // ---- Layout ----
  // Beside the picture, the side column holds the button row, the letter
  // strip and the bar under them, all of it within the screen's height: the
  // column is made as wide as the strip needs for keys at least KeyLeast
  // tall, and the keys share the height left to them. Its width doesn't
  // change with what shows, so the picture stays put through a game. The
  // button row wraps when its buttons don't fit across.
  function sideWidth(H) {
    var buttons = $('buttons').children.length, bar = $('bar').offsetHeight, width = SideWidth;
    for (var columns = 3; columns <= Letters; ++columns) {
      width = Math.max(SideWidth, columns * (KeyWidth + KeyGap) - KeyGap + 2 * SidePadding);
      var across = Math.max(1, Math.floor((width - 2 * SidePadding + RowGap) / (ButtonWidth + RowGap)));
      var buttonRows = Math.ceil(buttons / across), rows = Math.ceil(Letters / columns);
      var room = H - bar - buttonRows * (ButtonHeight + RowGap) - 2 * RowGap;
      var key = Math.floor((room + KeyGap) / rows - KeyGap);
      if (key >= KeyLeast || columns == Letters) {
        letters.style.gridTemplateColumns = 'repeat(' + columns + ', 1fr)';
        letters.style.setProperty('--key', Math.max(Math.min(key, KeyMost), 1) + 'px');
        return width;
      }
    }
    return width;
  }
  // Held upright, a touch screen shows in play the well as wide as the
  // screen and under it the status panel beside the newest recent words,
  // each the game's own picture of that part of the scene (the page's GL
  // layer draws each frame into every region); the other screens show the
  // whole picture at the screen's width, at the top. Under it all are the
  // letter strip and the bar, and the button row; where the screen is
  // short for its width, the buttons stand beside the well instead, which
  // gives it the larger cells.
  // Parts of the scene, [x0, y0, x1, y1] in scene units from its bottom left:
  var WellPart = [0, 0, 11, 15], StatusPart = [11, 9.5, 20, 15], RecentPart = [11, 0, 20, 5.3];
  var SceneRows = 15, RowUnits = 5.5, RowWidth = 18; // the parts under the well, side by side
  var LeastUnit = 14, MostUnit = 20; // their CSS px per scene unit, the game's text being one unit tall
  var UprightPadding = 4, UprightKey = 36, UprightKeyLeast = 32; // a key's height and least width
  var BesideWidth = 64; // the column of buttons beside the well, its margins included
  var upright = null; // the arrangement, in CSS px from the canvas's top left
  function uprightLayout(W, H) {
    var across = Math.min(13, Math.floor((W - 2 * SidePadding + KeyGap) / (UprightKeyLeast + KeyGap)));
    var keys = Math.ceil(Letters / across) * (UprightKey + KeyGap) - KeyGap;
    var buttons = $('buttons').children.length, inRow = Math.max(1, Math.floor(
      (W - 2 * SidePadding + RowGap) / (ButtonWidth + RowGap)));
    var room = H - 2 * UprightPadding - 2 * RowGap - $('bar').offsetHeight - keys;
    letters.style.gridTemplateColumns = 'repeat(' + across + ', 1fr)';
    letters.style.setProperty('--key', UprightKey + 'px');
    var fit = function(width, height) {
      var cell = Math.max(Math.min(width / WellColumns, (height - RowUnits * LeastUnit) / SceneRows), 1);
      var unit = Math.max(Math.min(MostUnit, W / RowWidth, (height - SceneRows * cell) / RowUnits), 1);
      return {cell: cell, unit: unit};
    };
    var below = fit(W, room - Math.ceil(buttons / inRow) * (ButtonHeight + RowGap));
    var beside = fit(W - BesideWidth, room);
    var a = beside.cell > below.cell && buttons * (ButtonHeight + RowGap) <= SceneRows * beside.cell ? beside : below;
    var c = a.cell, u = a.unit, top = SceneRows * c, rowX = (W - RowWidth * u) / 2;
    var partWidth = (StatusPart[2] - StatusPart[0]) * u, recentHeight = (RecentPart[3] - RecentPart[1]) * u;
    a.beside = a == beside;
    a.height = Math.floor(top + RowUnits * u);
    a.well = [a.beside ? 0 : (W - WellColumns * c) / 2, 0, WellColumns * c, top];
    a.status = [rowX, top, partWidth, RowUnits * u];
    a.recent = [rowX + partWidth, top + RowUnits * u - recentHeight, partWidth, recentHeight];
    // The whole picture at the canvas's top left, so that the game's window
    // is the buffer's top left part, as a mouse sees it too.
    a.whole = [0, 0, W, Math.min(W * 3 / 4, a.height)];
    a.whole[2] = a.whole[3] * 4 / 3;
    a.arranged = false;
    return a;
  }
  // Tells the game's GL layer the regions: the three parts in play, the
  // whole picture otherwise.
  function arrange(arranged) {
    if (!upright || !game) return;
    upright.arranged = arranged;
    var ratio = canvas.width / upright.width, from = function(part) {
      return [part[0] / SceneColumns, 1 - part[3] / SceneRows, part[2] / SceneColumns, 1 - part[1] / SceneRows];
    };
    var to = function(r) { return r.map(function(v) { return Math.round(v * ratio); }); };
    game.arrange(arranged ? [{from: from(WellPart), to: to(upright.well)},
                             {from: from(StatusPart), to: to(upright.status)},
                             {from: from(RecentPart), to: to(upright.recent)}]
                          : [{from: [0, 0, 1, 1], to: to(upright.whole)}]);
    Module.picture = arranged ? {well: upright.well, status: upright.status, recent: upright.recent}
                              : {whole: upright.whole};
  }
  function layout() {
    var W = window.innerWidth, H = window.innerHeight, portrait = H > W, w, h;
    document.documentElement.classList.toggle('portrait', portrait);
    letters.style.gridTemplateColumns = '', letters.style.removeProperty('--key');
    var buttons = $('buttons').style;
    buttons.position = buttons.left = buttons.top = buttons.width = '';
    document.documentElement.classList.remove('beside');
    var was = upright;
    upright = null;
    if (touch && portrait && !explicitSize) {
      upright = uprightLayout(W, H);
      upright.width = W;
      stage.style.width = W + 'px', stage.style.height = upright.height + 'px';
      if (upright.beside) {
        var n = $('buttons').children.length;
        document.documentElement.classList.add('beside');
        buttons.left = upright.well[2] + UprightPadding + 'px';
        buttons.width = W - upright.well[2] - 2 * UprightPadding + 'px';
        buttons.top = upright.well[3] - n * (ButtonHeight + RowGap) + 'px';
      }
      if (game) {
        var ratio = Math.min(devicePixelRatio || 1, Math.sqrt(MaxBufferPixels / (W * upright.height)));
        game.resize(Math.max(1, Math.round(upright.whole[2] * ratio)), Math.max(1, Math.round(upright.whole[3] * ratio)),
                    Math.max(1, Math.round(W * ratio)), Math.max(1, Math.round(upright.height * ratio)));
        arrange(!!was && was.arranged);
      }
      return;
    }
    if (was && game) game.arrange(null), Module.picture = null;
    if (touch && !portrait)
      h = Math.min(H, (W - sideWidth(H)) * 3 / 4);
    else if (touch)
      h = Math.min(W * 3 / 4, H - BelowHeight);
    else
      h = Math.min(W * 3 / 4, H - $('bar').offsetHeight);
    h = Math.max(Math.floor(h), 3);
    w = Math.floor(h * 4 / 3);
    if (game && explicitSize) {
      // The player asked for a drawing buffer: it shows at its own size
      // where it fits, else scaled down.
      var scale = Math.min(1, w * devicePixelRatio / canvas.width);
      w = Math.floor(canvas.width * scale / devicePixelRatio), h = Math.floor(w * 3 / 4);
    } else if (game) {
      var ratio = Math.min(devicePixelRatio || 1, Math.sqrt(MaxBufferPixels / (w * h)));
      game.resize(Math.max(1, Math.round(w * ratio)), Math.max(1, Math.round(h * ratio)));
    }
    stage.style.width = w + 'px', stage.style.height = h + 'px';
  }
  window.addEventListener('resize', layout);
  window.addEventListener('orientationchange', layout);
  layout();

  // ---- Touch on the canvas ----
  var playing = function(state) {
    return state != TitleMenu && state != GameOver && state != HallOfFame && state != Paused;
  };
  // The well on the screen, {x, y, w, h} in CSS pixels of the page.
  var wellBox = function() {
    var rect = canvas.getBoundingClientRect(), well = upright && upright.arranged && upright.well;
    return well ? {x: rect.left + well[0], y: rect.top + well[1], w: well[2], h: well[3]}
                : {x: rect.left, y: rect.top, w: rect.width * WellColumns / SceneColumns, h: rect.height};
  };
  var column = function() { return wellBox().w / WellColumns; }; // in CSS pixels
  // The point of the game's window that a touch shows.
  var bufferPoint = function(t) {
    var rect = canvas.getBoundingClientRect(), whole = upright ? upright.whole : [0, 0, rect.width, rect.height];
    var size = upright ? [canvas.width * whole[2] / upright.width, canvas.width * whole[3] / upright.width]
                       : [canvas.width, canvas.height];
    return [Math.round((t.clientX - rect.left - whole[0]) * size[0] / whole[2]),
            Math.round((t.clientY - rect.top - whole[1]) * size[1] / whole[3])];
  };
  var finger = null, downHeld = false, holdTimer = 0;
  function holdDown(on) {
    if (on != downHeld) game.special(Down, downHeld = on);
  }

  canvas.addEventListener('touchstart', function(event) {
    event.preventDefault();
    if (!game || finger) return;
    var t = event.changedTouches[0], well = wellBox(), view = game.view();
    finger = {id: t.identifier, x: t.clientX, y: t.clientY, steps: 0, moved: false,
              swiped: false, held: false, state: view.state};
    holdDown(false);
    if (!playing(view.state)) {
      var p = bufferPoint(t);
      game.point(p[0], p[1]);
    } else if (t.clientX >= well.x && t.clientX < well.x + well.w &&
               t.clientY - well.y > (1 - LowerPart) * well.h) {
      holdTimer = setTimeout(function() {
        if (finger && !finger.moved) finger.held = true, holdDown(true);
      }, HoldTime);
    }
  }, {passive: false});

  canvas.addEventListener('touchmove', function(event) {
    event.preventDefault();
    var t = find(event);
    if (!t) return;
    var dx = t.clientX - finger.x, dy = t.clientY - finger.y, unit = column();
    if (Math.abs(dx) > unit / 2 || Math.abs(dy) > unit / 2) finger.moved = true;
    if (!playing(finger.state)) {
      var p = bufferPoint(t);
      game.point(p[0], p[1]);
      return;
    }
    var steps = Math.trunc(dx / unit);
    for (; finger.steps < steps; ++finger.steps) arrow(Right);
    for (; finger.steps > steps; --finger.steps) arrow(Left);
    if (!finger.swiped && dy > 1.5 * unit && dy > 2 * Math.abs(dx))
      finger.swiped = true, holdDown(true);
  }, {passive: false});

  function end(event) {
    event.preventDefault();
    var t = find(event);
    if (!t) return;
    clearTimeout(holdTimer);
    var f = finger, view = game.view();
    finger = null;
    if (f.held) return holdDown(false);
    if (f.swiped) return; // Down stays held until the block lands
    if (f.moved || event.type == 'touchcancel') return; // no tap
    // A tap begun in play is for the block: lifted after the game ended (the
    // last block filled a column), it would be a click on the game-over panel.
    if (playing(f.state) && view.state != f.state) return;
    var p = bufferPoint(t);
    if (!playing(view.state)) {
      game.point(p[0], p[1]);
      game.click(p[0], p[1]);
    } else if (view.state == BlockFalling) {
      var tapped = Math.floor((t.clientX - wellBox().x) / column());
      if (tapped != view.column) arrow(tapped < view.column ? Left : Right);
    }
  }
  canvas.addEventListener('touchend', end, {passive: false});
  canvas.addEventListener('touchcancel', end, {passive: false});
  function find(event) {
    if (!finger) return null;
    for (var i = 0; i < event.changedTouches.length; ++i)
      if (event.changedTouches[i].identifier == finger.id) return event.changedTouches[i];
    return null;
  }
  function arrow(code) {
    game.special(code, true);
    game.special(code, false);
  }

  // ---- Buttons, letters and the name ----
  $('pause').addEventListener('click', function() { game && game.key(Tab); });
  $('giveup').addEventListener('click', function() {
    if (!game) return;
    if (game.view().state == Paused) game.key(Tab); // any key resumes there, Escape too
    game.key(Escape);
    if (game.view().naming) openName(); // focused within the tap, so a phone opens its keyboard
  });
  function letterKey(c) {
    var b = document.createElement('button');
    b.textContent = String.fromCharCode(c);
    b.addEventListener('click', function() { game && game.key(c); });
    letters.appendChild(b);
  }
  for (var c = 65; c <= 90; ++c) letterKey(c);
  // A language's letters beyond A to Z, as its letters file lists them.
  function languageKeys() {
    if (!Module.language || typeof FS == 'undefined') return;
    var lines = FS.readFile('letters.txt').reduce(function(t, b) { return t + String.fromCharCode(b); }, '').split('\n');
    lines.forEach(function(line) {
      var c = line.charCodeAt(0);
      if (c >= 160 && c <= 255 && /^.\s/.test(line)) letterKey(c);
    });
    Letters = letters.children.length;
  }
  var field = $('name');
  field.addEventListener('input', function() {
    // The change made to the game's name, as Backspaces and typed keys.
    // The game's names are Latin-1: anything beyond it is dropped.
    var before = game.name(), after = field.value.replace(/[^\u0000-\u00ff]/g, ''), same = 0;
    while (same < before.length && same < after.length && before[same] == after[same]) ++same;
    for (var i = same; i < before.length; ++i) game.key(Backspace);
    for (var j = same; j < after.length; ++j) game.key(after.charCodeAt(j));
    var kept = game.name();
    if (field.value != kept) field.value = kept;
  });
  field.addEventListener('keydown', function(event) {
    if (event.key == 'Enter' || event.key == 'Escape') {
      event.preventDefault();
      game.key(event.key == 'Enter' ? Enter : Escape);
    }
  });

  // A hidden page pauses the game, which then waits for a tap.
  document.addEventListener('visibilitychange', function() {
    if (document.hidden && game && playing(game.view().state)) {
      holdDown(false);
      game.key(Tab);
    }
  });

  // Each frame, the controls follow the game's state.
  var shown = {}, hints = {};
  hints[TitleMenu] = 'Tap a line of the menu';
  hints[Paused] = hints[GameOver] = hints[HallOfFame] = 'Tap the game to go on';
  function show(id, on) {
    if (shown[id] !== on) $(id).hidden = !(shown[id] = on);
  }
  function setText(id, text) {
    if ($(id).textContent != text) $(id).textContent = text;
  }
  function openName() {
    field.value = game.name(), show('name', true), field.focus();
  }
  function follow() {
    if (!Module.gameRunning) return;
    var view = game.view();
    if (downHeld && !finger && view.state != BlockFalling) holdDown(false); // a swipe's drop ends
    if (upright && upright.arranged != playing(view.state)) arrange(playing(view.state));
    show('buttons', playing(view.state) || view.state == Paused);
    setText('pause', view.state == Paused ? 'Resume' : 'Pause');
    show('letters', view.state == BlockFalling && view.letter == '?');
    var naming = view.naming;
    setText('hint', naming ? 'Type your name, then Enter' : hints[view.state] || '');
    if (touch && naming && !shown.name) openName();
    show('name', naming);
    if (!naming && document.activeElement == field) field.blur();
    requestAnimationFrame(follow);
  }
  Module.onGameStart = function() {
    game = Module.game;
    languageKeys();
    layout();
    follow();
  };
})();
