// How the game meets the page, on top of Emscripten's GLUT:
//  - one update and one frame per animation frame of the browser;
//  - keys as the desktop delivers them (Backspace as character 8), the
//    function keys left to the browser, and the pointer's new position;
//    keys typed into a field of the page stay the page's;
//  - game mode refused, so the game asks for a full-screen window, which
//    the page takes at the player's next key or click;
//  - leaving the game stops the loop and hands the page its ended state;
//  - Module.game, through which the page's touch controls (web/controls.js)
//    see the game's state, size its drawing buffer and reach the same key,
//    arrow and mouse callbacks the keyboard and the mouse do;
//  - a file the game locks lives on in localStorage: locking loads the
//    stored bytes into the file, in place, and an fsync or the release of
//    an exclusive lock stores them again, so two tabs see each other's
//    saves. A browser that refuses storage leaves the file to the page:
//    while the last store failed (a full quota, storage that only reads),
//    the stored bytes, older than the file's, are not loaded over it, and
//    the next save tries again. A stored value that can't be read counts
//    as nothing stored.

var LibraryPage = {
  glutIdleFunc__deps: ['$GLUT'],
  glutIdleFunc: function(func) { GLUT.idleFunc = func; },

  glutPostRedisplay__deps: ['$GLUT'],
  glutPostRedisplay: function() { GLUT.redisplay = true; },

  glutMainLoop__deps: ['$GLUT', '$setMainLoop', 'glutReshapeWindow', '$PageGame'],
  glutMainLoop: function() {
    _glutReshapeWindow(Module['canvas'].width, Module['canvas'].height);
    Module['game'] = PageGame;
    Module['gameRunning'] = true;
    if (Module['onGameStart']) Module['onGameStart']();
    // The idle callback updates the game and asks for a frame, so an
    // update never runs apart from the frame that shows it.
    setMainLoop(function() {
      if (GLUT.idleFunc) {{{ makeDynCall('v', 'GLUT.idleFunc') }}}();
      if (GLUT.redisplay && GLUT.displayFunc) {
        GLUT.redisplay = false;
        {{{ makeDynCall('v', 'GLUT.displayFunc') }}}();
      }
    }, 0, true);
  },

  glutInit__deps: ['$GLUT', '$Browser', '$PageGame'],
  glutInit: function(argcp, argv) {
    GLUT.initTime = Date.now();
    var special = GLUT.getSpecialKey, ascii = GLUT.getASCIIKey;
    GLUT.getSpecialKey = function(code) {
      // The browser keeps its function keys, but for F2, the game's sound switch.
      if (code == 8 || (code >= 0x70 && code <= 0x7b && code != 0x71)) return null;
      return special(code);
    };
    // The character a key types, as the desktop gives it: Emscripten's own
    // mapping reads key codes as on a US keyboard without Shift, so Shift+1
    // would give 1, not !. AltGr (Ctrl and Alt on some systems) types too.
    // In a language, the Latin-1 letters (160-255) are typed as they are.
    GLUT.getASCIIKey = function(event) {
      var key = event['key'], code = key && key.length == 1 ? key.charCodeAt(0) : 0;
      var altGr = event.getModifierState && event.getModifierState('AltGraph');
      if (event['metaKey'] || ((event['ctrlKey'] || event['altKey']) && !altGr)) return ascii(event);
      if (event['keyCode'] == 8) return 8;
      var latin1 = Module['language'] && code >= 160 && code <= 255;
      return (code >= 32 && code <= 126) || latin1 ? code : ascii(event);
    };
    GLUT.onMousemove = function(event) {
      var lastX = Browser.mouseX, lastY = Browser.mouseY;
      Browser.calculateMouseEvent(event);
      var x = Browser.mouseX, y = Browser.mouseY;
      if (x == lastX && y == lastY) return;
      var func = GLUT.buttons == 0 ? (event.target == Module['canvas'] && GLUT.passiveMotionFunc)
                                   : GLUT.motionFunc;
      if (func) {
        event.preventDefault();
        GLUT.saveModifiers(event);
        {{{ makeDynCall('vii', 'func') }}}(x, y);
      }
    };
    var events = [['keydown', GLUT.onKeydown], ['keyup', GLUT.onKeyup],
                  ['mousemove', GLUT.onMousemove], ['mousedown', GLUT.onMouseButtonDown],
                  ['mouseup', GLUT.onMouseButtonUp]];
    // Touch is the page's own (web/controls.js), not a mouse.
    GLUT.listeners = events.map(function(pair) {
      var handler = pair[1], listener = PageGame.guarded(function(event) {
        var tag = event.target && event.target.tagName;
        if (tag != 'INPUT' && tag != 'TEXTAREA') handler(event);
      });
      window.addEventListener(pair[0], listener, true);
      return [pair[0], listener];
    });
    Browser.resizeListeners.push(function(width, height) {
      if (GLUT.reshapeFunc) {{{ makeDynCall('vii', 'GLUT.reshapeFunc') }}}(width, height);
    });
  },

  // Browsers grant full screen only on a key or a click, so the page takes
  // it at the next one (web/shell.html).
  glutFullScreen: function() { Module['wantsFullscreen'] = true; },

  glutGameModeString: function(mode) {},
  glutEnterGameMode: function() { return 0; },
  glutGameModeGet: function(query) { return 0; },

  exit__deps: ['$GLUT', 'emscripten_cancel_main_loop'],
  exit: function(status) {
    _emscripten_cancel_main_loop();
    (GLUT.listeners || []).forEach(function(pair) {
      window.removeEventListener(pair[0], pair[1], true);
    });
    Module['gameRunning'] = false;
    if (Module['onGameExit']) Module['onGameExit'](status);
    throw 'unwind';
  },

  $PageGame__deps: ['$GLUT', '$Browser', 'glutPostRedisplay', '$GL11'],
  $PageGame: {
    // Leaving the game ends the handler it was asked from.
    guarded: function(handler) {
      return function(event) {
        try {
          handler(event);
        } catch (e) {
          if (e !== 'unwind') throw e;
        }
      };
    },
    // See web/PageGame.cpp. The name is read apart, as only the name field needs it.
    view: function() {
      var view = Module['_glyphtumble_page_view'];
      return {'state': view(0), 'column': view(1), 'letter': String.fromCharCode(view(2)),
              'naming': view(3) == 1, 'landed': view(4)};
    },
    // The name's bytes are Latin-1, a character each.
    name: function() {
      var text = '';
      for (var at = Module['_glyphtumble_page_name'](); HEAPU8[at]; ++at) text += String.fromCharCode(HEAPU8[at]);
      return text;
    },
    // A character key pressed, as typing it does.
    key: function(code) {
      PageGame.guarded(function() {
        if (GLUT.keyboardFunc) {{{ makeDynCall('viii', 'GLUT.keyboardFunc') }}}(code, 0, 0);
      })();
    },
    // An arrow key (GLUT's special code) pressed or released.
    special: function(code, down) {
      var func = down ? GLUT.specialFunc : GLUT.specialUpFunc;
      if (func) {{{ makeDynCall('viii', 'func') }}}(code, 0, 0);
    },
    // The pointer moved to (x, y) of the drawing buffer, with no button down.
    point: function(x, y) {
      if (GLUT.passiveMotionFunc) {{{ makeDynCall('vii', 'GLUT.passiveMotionFunc') }}}(x, y);
    },
    // A click of the left button at (x, y), as the mouse gives it.
    click: function(x, y) {
      PageGame.guarded(function() {
        if (!GLUT.mouseFunc) return;
        {{{ makeDynCall('viiii', 'GLUT.mouseFunc') }}}(0, 0 /* down */, x, y);
        {{{ makeDynCall('viiii', 'GLUT.mouseFunc') }}}(0, 1 /* up */, x, y);
      })();
    },
    // A window of width x height, the game told as a window's resize, in a
    // drawing buffer of that size or of bufferWidth x bufferHeight.
    resize: function(width, height, bufferWidth, bufferHeight) {
      var canvas = Module['canvas'];
      bufferWidth = bufferWidth || width, bufferHeight = bufferHeight || height;
      if (canvas.width == bufferWidth && canvas.height == bufferHeight &&
          PageGame.size[0] == width && PageGame.size[1] == height) return;
      PageGame.size = [width, height];
      Browser.setCanvasSize(bufferWidth, bufferHeight, true);
      if (GLUT.reshapeFunc) {{{ makeDynCall('vii', 'GLUT.reshapeFunc') }}}(width, height);
      _glutPostRedisplay();
    },
    size: [0, 0],
    // Shows the picture in regions of the drawing buffer (see GL11.arrange in
    // web/library_gl11.js), or whole again with null.
    arrange: function(regions) {
      GL11.arrange(regions);
      _glutPostRedisplay();
    },
  },

  $PageStore__deps: ['$FS'],
  // The table of the folder the game runs in: the root's, or a language's.
  $PageStore__postset: 'addOnPreRun(function() { PageStore.load(FS.cwd().replace(/\\/$/, "") + "/glyphtumble.hi"); });',
  $PageStore: {
    exclusive: {},
    unstored: {}, // paths whose last store failed
    key: function(path) { return 'glyphtumble:' + path; },
    // Replaces the file's bytes with the stored ones, keeping the file
    // itself, so descriptors open on it read them. Nothing stored, nothing
    // readable, no storage, or a file newer than what is stored leaves the
    // file as it is.
    load: function(path) {
      if (PageStore.unstored[path]) return;
      var text = null, binary = null;
      try {
        text = window.localStorage.getItem(PageStore.key(path));
        if (text !== null) binary = atob(text);
      } catch (e) {} // no storage, or not base64
      if (binary === null) return;
      var bytes = new Uint8Array(binary.length);
      for (var i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
      var node = FS.analyzePath(path).object;
      if (node && node.contents !== undefined) {
        node.contents = bytes;
        node.usedBytes = bytes.length;
        node.timestamp = Date.now();
      } else {
        FS.writeFile(path, bytes);
      }
    },
    store: function(path) {
      var node = FS.analyzePath(path).object;
      if (!node || !node.contents) return;
      var bytes = node.contents.subarray(0, node.usedBytes), binary = '';
      for (var i = 0; i < bytes.length; ++i) binary += String.fromCharCode(bytes[i]);
      try {
        window.localStorage.setItem(PageStore.key(path), btoa(binary));
        PageStore.unstored[path] = false;
      } catch (e) {
        PageStore.unstored[path] = true;
      }
    },
  },

  glyphtumble_flock__deps: ['$PageStore', '$FS'],
  glyphtumble_flock: function(fd, operation) {
    var stream = FS.getStream(fd);
    if (!stream) return -{{{ cDefine('EBADF') }}};
    if (operation & 8 /* LOCK_UN */) {
      if (PageStore.exclusive[stream.path]) PageStore.store(stream.path);
      PageStore.exclusive[stream.path] = false;
    } else {
      PageStore.load(stream.path);
      PageStore.exclusive[stream.path] = (operation & 2 /* LOCK_EX */) != 0;
    }
    return 0;
  },

  fd_sync__deps: ['$PageStore', '$FS'],
  fd_sync: function(fd) {
    var stream = FS.getStream(fd);
    if (!stream) return {{{ cDefine('EBADF') }}};
    PageStore.store(stream.path);
    return 0;
  },
};

mergeInto(LibraryManager.library, LibraryPage);
