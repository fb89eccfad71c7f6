// Plays the web page (the unpacked zip) in the two other engines with the
// keyboard, as a desktop player would: Firefox ESR through puppeteer-core
// over WebDriver BiDi, and WebKitGTK through WebKitWebDriver's classic
// WebDriver over HTTP, driven with fetch. Both run on a private Xvfb, as
// headless Firefox has no WebGL here. The page's clock is fixed by a script
// the server puts first in the page, so its first block is a '?' and the
// next two make a word with the letter typed for it. Touch stays with
// Chromium (touch.js). The word list comes from the native build folder.
//   node tests/web/engines.js PAGE_FOLDER NATIVE_BUILD [ENGINE...]
// ENGINE is firefox or webkit; both by default. bench/web/frame_rates.js
// measures their frame rates with the same launchers.
'use strict';
const puppeteer = require('puppeteer-core');
const {serve, display, plan, runChecks} = require('./host');
const {spawn} = require('child_process');
const fs = require('fs'), os = require('os'), path = require('path');

const [pageDir, nativeDir, ...wanted] = process.argv.slice(2);
let tmp; // made by main, or given to the launchers
const [Falling, Removal, GameOver, HallOfFame, Paused] = [3, 6, 7, 8, 9];
const sleep = ms => new Promise(r => setTimeout(r, ms));

// What the page runs first: the clock, the keys the page kept from the
// browser, its errors, and counts of the draws and the frames (each begins
// with one clear).
const inject = clock => `<script>
  if (${clock}) Date.now = function() { return ${clock}; };
  window.prevented = {}, window.errors = [], window.draws = 0, window.frames = 0;
  var clear = WebGLRenderingContext.prototype.clear;
  WebGLRenderingContext.prototype.clear = function(m) { ++frames; return clear.call(this, m); };
  document.addEventListener('keydown', function(e) { prevented[e.key] = e.defaultPrevented; });
  addEventListener('error', function(e) { errors.push(String(e.message)); });
  addEventListener('unhandledrejection', function(e) { errors.push(String(e.reason)); });
  var draw = WebGLRenderingContext.prototype.drawElements;
  WebGLRenderingContext.prototype.drawElements = function() { ++draws; return draw.apply(this, arguments); };
</script>`;

// Each engine, started with the environment naming its display and a
// folder for its profile: open(url), run(expression) resolving to its
// value, press, down and up of a key by its name as KeyboardEvent.key gives
// it, close(). Its page is 800 x 640 CSS pixels, as the Chromium test's.
const drive = (browser, page) => ({open: url => page.goto(url), run: expression => page.evaluate(expression),
  press: key => page.keyboard.press(key), down: key => page.keyboard.down(key), up: key => page.keyboard.up(key),
  close: () => browser.close()});
async function firefox(env, profile = path.join(tmp, 'firefox')) {
  const browser = await puppeteer.launch({browser: 'firefox', executablePath: '/usr/bin/firefox-esr',
    headless: false, userDataDir: profile, env, defaultViewport: {width: 800, height: 640}});
  return drive(browser, (await browser.pages())[0] || await browser.newPage());
}

async function webkit(env) {
  const port = 20000 + Math.floor(Math.random() * 20000), url = `http://127.0.0.1:${port}`;
  const driver = spawn('WebKitWebDriver', [`--port=${port}`], {env, stdio: 'ignore'});
  const call = async (method, where, body) => {
    const response = await fetch(url + where, {method, headers: {'Content-Type': 'application/json'},
                                               body: body && JSON.stringify(body)});
    const value = (await response.json()).value;
    if (value && value.error) throw new Error(`${where}: ${value.error}: ${value.message}`);
    return value;
  };
  for (let i = 0; i < 100; ++i) {
    if (await call('GET', '/status').then(s => s.ready, () => false)) break;
    await sleep(100);
  }
  const {sessionId} = await call('POST', '/session', {capabilities: {alwaysMatch: {'webkitgtk:browserOptions': {
    binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation']}}}});
  const session = `/session/${sessionId}`;
  await call('POST', `${session}/window/rect`, {width: 800, height: 640}).catch(() => {});
  // WebDriver's codes for the keys that aren't characters.
  const codes = {Enter: '\uE007', Tab: '\uE004', Backspace: '\uE003', Escape: '\uE00C',
                 ArrowLeft: '\uE012', ArrowRight: '\uE014', ArrowDown: '\uE015'};
  const keys = (...actions) => call('POST', `${session}/actions`, {actions: [{type: 'key', id: 'keyboard',
    actions: actions.map(([type, key]) => ({type, value: codes[key] || key}))}]});
  return {
    open: address => call('POST', `${session}/url`, {url: address}),
    run: expression => call('POST', `${session}/execute/sync`, {script: `return ${expression};`, args: []}),
    press: key => keys(['keyDown', key], ['keyUp', key]),
    down: key => keys(['keyDown', key]),
    up: key => keys(['keyUp', key]),
    close: async () => { await call('DELETE', session).catch(() => {}), driver.kill(); },
  };
}

// Polls expression in the page until it is true, or fails after timeout ms.
async function until(engine, expression, timeout = 10000) {
  for (const end = Date.now() + timeout; Date.now() < end; await sleep(50))
    if (await engine.run(expression).catch(() => false)) return;
  throw new Error(`not within ${timeout} ms: ${expression}`);
}
const view = engine => engine.run('Module.game.view()');
const state = (engine, s, timeout) => until(engine, `Module.game.view().state == ${s}`, timeout);
const stored = name => `atob(localStorage.getItem("glyphtumble:/glyphtumble.hi") || "").includes("${name}\\0")`;

async function main() {
  tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'glyphtumble-engines-'));
  const p = plan(nativeDir);
  const server = await serve(pageDir, inject(p.clock)), base = `http://127.0.0.1:${server.address().port}/`;
  const {env, xvfb} = await display([1280, 1024]);
  const engines = {firefox, webkit}, checks = [];
  let engine = null, errors = [];
  for (const name of wanted.length ? wanted : Object.keys(engines)) {
    const keepErrors = async () => errors.push(...await engine.run('window.errors'));
    checks.push(
      [`${name}: WebGL present, the first frame drawn`, async () => {
        engine = await engines[name](env), errors = [];
        await engine.open(base), await until(engine, 'window.Module && Module.gameRunning && draws > 0', 20000);
        return '';
      }],
      [`${name}: a game played to a high score saves the name typed, Backspace included`, async () => {
        await engine.press('Enter'), await state(engine, Falling);
        await engine.press('Tab'), await state(engine, Paused, 2000);
        await engine.press('Tab'), await state(engine, Falling, 2000);
        await engine.press(p.letter.toLowerCase());
        if ((await view(engine)).letter != p.letter) return `the ? block holds ${(await view(engine)).letter}`;
        for (const [i, column] of p.columns.entries()) {
          await state(engine, Falling, 5000);
          const from = (await view(engine)).column;
          for (let k = 0; k < Math.abs(column - from); ++k) await engine.press(column < from ? 'ArrowLeft' : 'ArrowRight');
          if ((await view(engine)).column != column) return `block ${i + 1} steered to ${(await view(engine)).column}, not ${column}`;
          await engine.down('ArrowDown');
          await until(engine, `Module.game.view().landed == ${column} && Module.game.view().state != ${Falling}`, 5000).catch(() => {});
          await engine.up('ArrowDown');
        }
        if (await state(engine, Removal, 5000).then(() => false, () => true)) return 'the word made scored nothing';
        await state(engine, Falling, 5000), await engine.press('Escape');
        await until(engine, 'Module.game.view().naming', 2000);
        for (const key of ['e', 'v', 'e', 'x', 'Backspace', 'Enter']) await engine.press(key);
        await state(engine, HallOfFame, 2000);
        return await engine.run(stored('eve')) ? '' : `named "${await engine.run('Module.game.name()')}", not stored`;
      }],
      [`${name}: Tab, Backspace and the arrows are kept from the browser`, async () => {
        const kept = await engine.run('window.prevented');
        const taken = ['Tab', 'Backspace', 'ArrowDown', 'ArrowLeft'].filter(k => kept[k] !== true);
        return taken.length ? `not kept: ${taken}` : '';
      }],
      [`${name}: after a reload the Hall of Fame holds the name`, async () => {
        await keepErrors(), await engine.open(base);
        await until(engine, 'window.Module && Module.gameRunning', 20000);
        const shown = await engine.run('Array.from(FS.readFile("/glyphtumble.hi")).map(c => String.fromCharCode(c)).join("")');
        return shown.includes('eve\0') ? '' : 'the table read after the reload lost the name';
      }],
      [`${name}: no page errors`, async () => {
        await keepErrors(), await engine.close(), engine = null;
        return errors.join('; ');
      }]);
  }
  await runChecks(checks, async () => {
    if (engine) await engine.close().catch(() => {});
    xvfb.kill(), server.close(), fs.rmSync(tmp, {recursive: true, force: true});
  });
}
module.exports = {drive, firefox, webkit, inject, until};
if (require.main === module)
  main().catch(e => { console.error(e); console.log('0 passed, 1 failed'); process.exit(1); });
