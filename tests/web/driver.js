// Plays the web page (the unpacked zip) in headless Chromium as a player
// would, and the native game of a build folder beside it on a private Xvfb,
// dealt the same letters: the page's clock is fixed, so its C library's
// generator starts from a known seed, whose numbers the native game gets
// through tools/fixed_rand.c. With SHOT.png it also saves the page's title.
//   node tests/web/driver.js PAGE_FOLDER NATIVE_BUILD [SHOT.png]
'use strict';
const {serve, launch, nativeDisplay, pageDeal, runChecks} = require('./host');
const {spawn, execFileSync} = require('child_process');
const fs = require('fs'), os = require('os'), path = require('path');

const [pageDir, nativeDir, shotFile] = process.argv.slice(2).map(p => p && path.resolve(p));
const repo = path.resolve(__dirname, '../..'), tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'glyphtumble-web-'));
const clock = 1700000000000; // the page's Date.now(), in ms
const sleep = ms => new Promise(r => setTimeout(r, ms));

// Regions of an 800 x 600 frame, [x, y, w, h, what], whose mean colours must
// agree within 3 per channel. Edges and glyphs may fall a pixel apart, and a
// thin face samples its texture at other texels, so means are compared.
const titleRegions = [[20, 20, 100, 100, 'backdrop'], [250, 190, 300, 90, 'credit text'],
                      [180, 320, 440, 80, 'menu text'], [180, 440, 440, 80, 'lower menu text']];
const playRegions = [[0, 268, 50, 54, 'block in column 0'], [3, 283, 34, 34, 'its front face'],
                     [4, 273, 34, 5, 'its top face'], [390, 268, 50, 54, 'block in column 10'],
                     [60, 340, 80, 240, 'water'], [460, 0, 340, 230, 'status panel']];
const fameRegions = [[0, 140, 800, 460, 'Hall of Fame list']];

function pixels(file, [x, y, w, h]) {
  return execFileSync('convert', [file, '-crop', `${w}x${h}+${x}+${y}`, '+repage', '-depth', '8', 'rgb:-'],
                      {maxBuffer: 1 << 24});
}
function compare(webShot, nativeShot, regions) {
  return regions.map(r => {
    const a = pixels(webShot, r), b = pixels(nativeShot, r), d = [0, 0, 0];
    for (let i = 0; i < a.length; ++i) d[i % 3] += (a[i] - b[i]) / (a.length / 3);
    return d.every(v => Math.abs(v) <= 3) ? '' : `${r[4]}: differs by ${d.map(v => v.toFixed(1))}`;
  }).filter(Boolean).join('; ');
}
const regionMean = async (page, r) => page.evaluate(r => {
  const p = window.read(r);
  return p.reduce((s, v, i) => (i % 4 == 3 ? s : s + v), 0) / (0.75 * p.length);
}, r);

let browser, base, errors = [];
async function open(query = '') {
  const page = await browser.newPage();
  await page.setViewport({width: 800, height: 640});
  page.on('pageerror', e => errors.push(e.message));
  await page.evaluateOnNewDocument(now => {
    Date.now = () => now;
    window.prevented = {};
    document.addEventListener('keydown', e => { window.prevented[e.key] = e.defaultPrevented; });
    // The frame stays readable between frames, and a watcher counts the
    // blocks that appear at the spawn point (column 5, top row).
    const getContext = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function(type, a) { return getContext.call(this, type, {...a, preserveDrawingBuffer: true}); };
    window.read = ([x, y, w, h]) => {
      const gl = window.GLctx, out = new Uint8Array(4 * w * h);
      gl.readPixels(x, gl.drawingBufferHeight - y - h, w, h, gl.RGBA, gl.UNSIGNED_BYTE, out);
      return out;
    };
    window.spawns = 0;
    let occupied = false;
    (function watch() {
      const p = window.GLctx ? window.read([203, 12, 1, 1]) : [0, 0, 0], now = p[0] + p[1] + p[2] > 200;
      window.spawns += now && !occupied, occupied = now;
      requestAnimationFrame(watch);
    })();
    const draw = WebGLRenderingContext.prototype.drawElements;
    WebGLRenderingContext.prototype.drawElements = function(...a) {
      return window.firstFrame = window.firstFrame || performance.now(), draw.apply(this, a);
    };
  }, clock);
  await page.goto(base + query);
  await page.waitForFunction('window.firstFrame || document.querySelector("#usage:not([hidden])")',
                             {timeout: 10000});
  return page;
}
let shots = 0;
const shot = async page => (await page.screenshot({path: path.join(tmp, `web-${++shots}.png`),
                                                   clip: {x: 0, y: 0, width: 800, height: 600}}), path.join(tmp, `web-${shots}.png`));
const press = async (page, key, n = 1) => { for (let i = 0; i < n; ++i) await page.keyboard.press(key); };
const table = async page => Buffer.from(await page.evaluate('localStorage.getItem("glyphtumble:/glyphtumble.hi") || ""'), 'base64');
// A table of ten scores of -1, which a game given up at once beats.
const lowTable = () => Buffer.concat(Array.from({length: 10}, () => {
  const r = Buffer.alloc(44);
  return r.write('Nobody'), r.writeInt32LE(-1, 32), r;
})).toString('base64');
const spawned = async (page, n) => page.waitForFunction(n => window.spawns > n, {polling: 5, timeout: 10000}, n);

// Steers the falling block to a column and drops it, holding Down until the
// next block appears. It goes to the nearer wall first (which stops it) and
// never back through column 5, where the watcher would count it as new.
async function drop(page, column) {
  const spawns = await page.evaluate('window.spawns');
  const [wall, back] = column < 5 ? ['ArrowLeft', 'ArrowRight'] : ['ArrowRight', 'ArrowLeft'];
  await press(page, wall, column == 5 ? 0 : 7), await press(page, back, column < 5 ? column : 10 - column);
  await page.keyboard.down('ArrowDown'), await spawned(page, spawns), await page.keyboard.up('ArrowDown');
}
const columns = [0, 10, 1, 9, 2, 8, 3, 7, 4, 6, 5];

// Plays from the title until a word scores, then gives up and types the
// name. Keeps the frame after the first two blocks for the comparison.
async function playToHighScore(page, name) {
  await page.bringToFront();
  const spawns = await page.evaluate('window.spawns');
  await press(page, 'Enter'), await spawned(page, spawns);
  const score = [640, 10, 160, 40], before = await regionMean(page, score);
  let twoBlocks;
  for (let i = 0; i < 40; ++i) {
    await drop(page, columns[i % columns.length]);
    if (i == 1) twoBlocks = await shot(page);
    if (Math.abs(await regionMean(page, score) - before) > 1) break;
  }
  await press(page, 'Escape'), await sleep(300);
  // The name panel is wider than the game-over panel: stone, not black, here.
  const qualified = await regionMean(page, [160, 384, 20, 6]) > 30;
  await page.keyboard.type(name + 'x'), await press(page, 'Backspace'), await press(page, 'Enter');
  return {twoBlocks, qualified};
}

// The block's top edge in column 5, in pixels from the top, or -1.
async function blockTop(page) {
  const c = await page.evaluate(() => Array.from(window.read([204, 0, 1, 560])));
  return Array.from({length: 560}, (_, y) => 4 * (559 - y)).findIndex(i => c[i] + c[i + 1] + c[i + 2] > 200);
}

async function native(tableBytes) {
  const run = path.join(tmp, 'native');
  const {env, xvfb} = await nativeDisplay(nativeDir, run, [800, 600]);
  fs.writeFileSync(path.join(run, 'glyphtumble.hi'), tableBytes);
  execFileSync('cc', ['-shared', '-fPIC', '-O2', '-o', path.join(tmp, 'rand.so'), path.join(repo, 'tools/fixed_rand.c')]);
  const deal = pageDeal(clock, 1000);
  const game = spawn(path.join(nativeDir, 'glyphtumble'), ['-w', '800', '-h', '600'], {cwd: run, stdio: 'ignore',
    env: {...env, LD_PRELOAD: path.join(tmp, 'rand.so'), GLYPHTUMBLE_RAND: deal.join(','),
          GLYPHTUMBLE_RAND_LOG: path.join(tmp, 'rand.log')}});
  // A byte per rand call: a block is dealt when the count grows, however slow the machine.
  const calls = () => (fs.existsSync(path.join(tmp, 'rand.log')) ? fs.statSync(path.join(tmp, 'rand.log')).size : 0);
  const until = async (test, ms = 15000) => { for (const end = Date.now() + ms; !test() && Date.now() < end;) await sleep(100); };
  const x = (...a) => execFileSync('xdotool', a, {env, timeout: 5000, stdio: ['ignore', 'pipe', 'ignore']}).toString().trim();
  let win, out = {};
  const key = (how, ...keys) => x(how, '--window', win, '--delay', '30', ...keys);
  const grab = name => (execFileSync('import', ['-window', 'root', path.join(tmp, name)], {env}), path.join(tmp, name));
  try {
    await until(() => { try { return (win = x('search', '--name', 'Glyphtumble').split('\n')[0]); } catch { return ''; } });
    if (!win) throw new Error('the native game showed no window within 15 s');
    await sleep(1000);
    out.title = grab('native-title.png');
    x('mousemove', '400', '460'), x('click', '1'), await sleep(800); // "High Scores"
    out.fame = grab('native-fame.png');
    key('key', 'space'), await sleep(500);
    let dealt = calls();
    key('key', 'Return');
    for (const column of [0, 10]) {
      await until(() => calls() > dealt), await sleep(300), dealt = calls();
      key('key', ...Array(7).fill('Left'), ...Array(column == 10 ? 12 : column).fill('Right'));
      // Held until the block lands (7 rows at 10 a second), not until the next one comes.
      key('keydown', 'Down'); await sleep(850); key('keyup', 'Down');
    }
    out.twoBlocks = grab('native-play.png');
  } finally {
    game.kill(), xvfb.kill();
  }
  return out;
}

async function main() {
  const server = await serve(pageDir);
  base = `http://127.0.0.1:${server.address().port}/`;
  browser = await launch(path.join(tmp, 'profile'), ['--disable-renderer-backgrounding',
    '--disable-background-timer-throttling', '--disable-backgrounding-occluded-windows']);
  const seen = {};
  const checks = [
    ['WebGL present, first frame within 3 s', async () => {
      const a = seen.a = await open();
      seen.b = await open(); // opened now, so that it saves over a table read before the first's save
      // Timed on the second page: the first also waits for the software GPU to start.
      const first = await seen.b.evaluate('window.firstFrame');
      const webgl = await a.evaluate('!!document.createElement("canvas").getContext("webgl")');
      await sleep(500);
      seen.title = await shot(a); // for the comparison with the native game
      if (shotFile) fs.copyFileSync(seen.title, shotFile);
      return webgl && first < 3000 ? '' : `WebGL ${webgl}, first frame at ${first} ms`;
    }],
    ['one update per drawn frame: a block falls half a row a second', async () => {
      const a = seen.a;
      await a.bringToFront(), await press(a, 'Enter');
      await sleep(1000);
      const t0 = Date.now(), y0 = await blockTop(a);
      await sleep(3000);
      const y1 = await blockTop(a), rate = (y1 - y0) / 40 / ((Date.now() - t0) / 1000); // 40 pixels a row
      for (const key of ['Tab', 'Tab', 'Escape', 'Enter', 'Space']) // pause, resume, give up, leave
        await press(a, key), await sleep(300);
      return rate > 0.4 && rate < 0.6 ? '' : `fell ${rate.toFixed(2)} rows a second`;
    }],
    ['a game played to a high score saves the name typed, Backspace included', async () => {
      await sleep(500);
      const game = await playToHighScore(seen.a, 'ad@!'), bytes = await table(seen.a); // Shift+2, Shift+1
      seen.twoBlocks = game.twoBlocks;
      return game.qualified && bytes.length == 440 && bytes.includes('ad@!\0') ? '' :
        `qualified ${game.qualified}, stored ${bytes.length} bytes`;
    }],
    ['a second tab saving its name keeps the first tab\'s', async () => {
      const game = await playToHighScore(seen.b, 'bob'), bytes = await table(seen.b);
      return game.qualified && bytes.includes('ad@!\0') && bytes.includes('bob\0') ? '' : 'a name was lost';
    }],
    ['Tab, Backspace and the arrows are kept from the browser', async () => {
      const p = await seen.a.evaluate('window.prevented');
      const taken = ['Tab', 'Backspace', 'ArrowDown', 'ArrowLeft', 'Enter'].filter(k => p[k] !== true);
      return taken.length == 0 ? '' : `not kept: ${taken}`;
    }],
    ['after a reload the Hall of Fame shows both, picked with the mouse', async () => {
      const a = seen.a;
      await a.bringToFront(), await a.reload();
      await a.waitForFunction('window.firstFrame');
      await a.mouse.move(400, 300), await a.mouse.move(400, 460); // onto "High Scores"
      await a.mouse.click(400, 460), await sleep(800);
      seen.fame = await shot(a);
      seen.table = await table(a);
      return seen.table.includes('bob\0') ? '' : 'the table was lost';
    }],
    ['pictures match the native game: title, blocks, water, panel, Hall of Fame', async () => {
      const n = await native(seen.table);
      return [compare(seen.title, n.title, titleRegions), compare(seen.twoBlocks, n.twoBlocks, playRegions),
              compare(seen.fame, n.fame, fameRegions)].filter(Boolean).join('; ');
    }],
    ['?w=1024&h=768 sizes the game; a bad parameter or a size with no picture shows the usage', async () => {
      const size = await (await open('?w=1024&h=768')).evaluate('[canvas.width, canvas.height].join("x")');
      const refused = [];
      for (const query of ['?speed=9', '?w=0&h=0', '?w=40000&h=30000', '?lang=xx']) {
        const usage = await (await open(query)).evaluate('document.getElementById("usage").textContent');
        if (!usage.includes('-w XXX -h YYY')) refused.push(`${query} shows "${usage}"`);
      }
      return size == '1024x768' && !refused.length ? '' : `size ${size}; ${refused}`;
    }],
    ['without WebGL, or opened from its folder, the page says what it needs', async () => {
      const bare = await launch(path.join(tmp, 'bare'), ['--disable-webgl']), faults = [];
      const pages = [[await bare.newPage(), base, ['hardware acceleration', 'another browser']],
                     [await browser.newPage(), 'file://' + path.join(pageDir, 'index.html'),
                      ['python3 -m http.server 8000', 'http://localhost:8000/']]];
      for (const [page, address, words] of pages) { // a page error fails the last check
        page.on('pageerror', e => errors.push(`${address.slice(0, 5)}: ${e.message}`));
        await page.goto(address), await sleep(500);
        const text = await page.evaluate('document.getElementById("needs").hidden ? "" : document.getElementById("needs").textContent');
        if (!words.every(w => text.includes(w))) faults.push(`${address.slice(0, 5)}: "${text}"`);
      }
      await bare.close();
      return faults.join('; ');
    }],
    ['"Exit to system" leaves a Play again link', async () => {
      const b = seen.b;
      await b.bringToFront();
      for (const key of ['Space', 'ArrowDown', 'ArrowDown', 'Enter']) // leaves the Hall of Fame first
        await press(b, key), await sleep(300);
      const ended = await b.evaluate('!document.getElementById("ended").hidden && !!document.getElementById("again").href');
      return ended ? '' : 'no ended page';
    }],
    ['storage that refuses writes keeps both names in the page; an unreadable one still plays', async () => {
      // Another origin, with a storage of its own: first a value that isn't
      // base64, then a table whose scores of -1 a game given up beats.
      const c = await browser.newPage(), key = 'glyphtumble:/glyphtumble.hi', low = lowTable();
      await c.evaluateOnNewDocument((key, low) => {
        localStorage.setItem(key, sessionStorage.getItem('again') ? low : 'not base64!');
        sessionStorage.setItem('again', '1');
        Storage.prototype.setItem = () => { throw new DOMException('The quota is full', 'QuotaExceededError'); };
      }, key, low);
      c.on('pageerror', e => errors.push(e.message));
      await c.goto(base.replace('127.0.0.1', 'localhost'));
      if (!await c.waitForFunction('Module.gameRunning', {timeout: 10000}).catch(() => false))
        return 'an unreadable table kept the game from starting';
      await c.reload(), await c.waitForFunction('Module.gameRunning', {timeout: 10000}), await sleep(300);
      for (const name of ['Quo', 'Rex']) {
        for (const k of ['Enter', 'Escape']) await press(c, k), await sleep(300); // begin, give up
        await c.keyboard.type(name), await press(c, 'Enter'), await sleep(300), await press(c, 'Space'), await sleep(300);
      }
      const names = await c.evaluate(() => new TextDecoder().decode(FS.readFile('/glyphtumble.hi')));
      return names.includes('Quo\0') && names.includes('Rex\0') ? '' : 'the first name was lost';
    }],
    ['German from the language control: a ä typed on the keyboard is stored under the German folder, English untouched', async () => {
      const d = seen.d = await open(), english = await table(d), key = 'glyphtumble:/de/glyphtumble.hi';
      await d.evaluate((key, low) => localStorage.setItem(key, low), key, lowTable());
      await Promise.all([d.waitForNavigation(), d.select('#language', 'de')]);
      await d.waitForFunction('window.firstFrame', {timeout: 10000}), await d.bringToFront();
      for (const k of ['Enter', 'Escape']) await press(d, k), await sleep(300); // begin, give up
      // As a German keyboard types it: the key right of Ö.
      const cdp = await d.target().createCDPSession();
      await d.keyboard.type('J');
      for (const type of ['keyDown', 'keyUp'])
        await cdp.send('Input.dispatchKeyEvent', {type, key: 'ä', code: 'Quote', windowsVirtualKeyCode: 222, text: 'ä'});
      const typed = await d.evaluate('Module.game.name()');
      await press(d, 'Enter'), await sleep(300);
      const german = Buffer.from(await d.evaluate(key => localStorage.getItem(key), key), 'base64');
      const stored = german.includes(Buffer.from('J\xe4\0', 'latin1')), same = (await table(d)).equals(english);
      return d.url().endsWith('/?lang=de') && typed == 'J\xe4' && stored && same ? '' :
        `at ${d.url()}, typed "${typed}", German table ${stored ? 'holds' : 'lacks'} it, English table ${same ? 'untouched' : 'changed'}`;
    }],
    ['each language downloads at most 600 KB; German\'s list is spelt out in the page byte for byte', async () => {
      const size = f => fs.statSync(path.join(pageDir, f)).size, big = ['de', 'fr', 'es', 'it', 'nl'].map(code =>
        [code, size(`${code}/words.gz`) + size(`${code}/letters.txt`) + size('font-latin1.gz')]).filter(([, n]) => n > 600 * 1024);
      const words = Buffer.from(await seen.d.evaluate(() => Array.from(FS.readFile('/de/dictionary.txt'))));
      const same = words.equals(fs.readFileSync(path.join(nativeDir, 'data/de/dictionary.txt')));
      return big.length || !same ? `over 600 KB: ${big.join('; ')}; the German list ${same ? 'whole' : 'differs'}` : '';
    }],
    ['no page errors', async () => errors.join('; ')],
  ];
  await runChecks(checks, async () => {
    await browser.close(), server.close(), fs.rmSync(tmp, {recursive: true, force: true});
  });
}
main().catch(e => { console.error(e); console.log('0 passed, 1 failed'); process.exit(1); });
