// The page in a language (?lang=de, which web/shell.html reads into
// Module.language): its files fetched before the game starts, into a folder
// of their own where the game runs, and the control that loads the page
// again in another language.
'use strict';
(function() {
  var $ = function(id) { return document.getElementById(id); };
  var language = Module.language;
  // A language's word list comes front-coded (each line the count of
  // letters shared with the word before, as '0' plus it, then the rest) and
  // gzipped, as do its glyphs: both are spelt out here, before the game
  // starts, in the folder it starts in.
  function unpack(packed) {
    var size = packed.length, i, n = 0, last = 0;
    for (i = 0; i < packed.length; ++i)
      if (i == 0 || packed[i - 1] == 10) size += packed[i] - 48 - 1;
    var out = new Uint8Array(Math.max(size, 0));
    for (i = 0; i < packed.length;) {
      var shared = packed[i++] - 48, start = n;
      if (shared < 0 || shared > n - last) throw new Error('the word list is damaged');
      for (var k = 0; k < shared; ++k) out[n++] = out[last + k];
      while (i < packed.length && packed[i] != 10) out[n++] = packed[i++];
      out[n++] = 10, ++i, last = start;
    }
    return out.subarray(0, n);
  }
  function load() {
    var folder = '/' + language;
    FS.mkdir(folder);
    ['font.pgm', 'tile.ppm', 'water.ppm', 'coarse.ppm'].forEach(function(f) { FS.symlink('/' + f, folder + '/' + f); });
    FS.chdir(folder);
    addRunDependency('language');
    var get = function(name, gzipped) {
      return fetch(Module.locateFile(name, '')).then(function(response) {
        if (!response.ok) throw new Error(name + ': ' + response.status);
        var body = gzipped ? response.body.pipeThrough(new DecompressionStream('gzip')) : response.body;
        return new Response(body).arrayBuffer();
      }).then(function(buffer) { return new Uint8Array(buffer); });
    };
    Promise.all([get(language + '/words.gz', true), get(language + '/letters.txt'), get('font-latin1.gz', true)])
      .then(function(files) {
        FS.writeFile(folder + '/dictionary.txt', unpack(files[0]));
        FS.writeFile(folder + '/letters.txt', files[1]);
        FS.writeFile(folder + '/font-latin1.pgm', files[2]);
        removeRunDependency('language');
      }).catch(function(e) { Module.setStatus('The language\u2019s files did not load: ' + e.message); });
  }
  // The language control loads the page again in the language chosen.
  $('language').value = language;
  $('language').onchange = function() {
    var query = new URLSearchParams(location.search);
    if (this.value) query.set('lang', this.value);
    else query.delete('lang');
    var search = query.toString();
    location.assign(location.pathname + (search ? '?' + search : ''));
  };
  if (language) Module.preRun = [load];
})();
