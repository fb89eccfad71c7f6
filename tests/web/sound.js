// The page's sound in headless Chromium: an analyser is routed in before the
// page's own script runs (every connection to a destination goes through
// one), and the loudest sample it saw is read around each event.
//   node tests/web/sound.js PAGE_FOLDER NATIVE_BUILD
'use strict';
const {serve, launch, pageDeal, runChecks} = require('./host');
const fs = require('fs'), os = require('os'), path = require('path');

const [pageDir, nativeDir] = process.argv.slice(2).map(p => path.resolve(p));
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'glyphtumble-sound-'));
const bag = 'AAAAAAAAABBCCDDDDEEEEEEEEEEEEFFGGGHHIIIIIIIIIJKLLLLMMNNNNNNOOOOOOOOPPQRRRRRRSSSSTTTTTTUUUUVVWWXYYZ????';
const [Falling, Removal] = [3, 6];
const sleep = ms => new Promise(r => setTimeout(r, ms));

// A clock whose first three blocks spell a word across columns 4, 5, 6. Of
// the draws, the title's target takes two, then come the first block's
// letter, the game's target (two), and each spawn's next letter and bonus.
function wordClock() {
  const words = new Set(fs.readFileSync(path.join(nativeDir, 'data/dictionary.txt'), 'latin1').split('\n'));
  for (let clock = 1700000000000; ; clock += 1000) {
    const d = pageDeal(clock, 8), word = [2, 5, 7].map(i => bag[d[i] % 102]).join('');
    if (words.has(word)) return clock;
  }
}

// Before the page's script: each AudioContext is kept, and whatever connects
// to its destination passes an analyser; a sampler keeps the loudest value.
function listen() {
  window.heard = {peak: 0, contexts: []};
  const Context = window.AudioContext;
  window.AudioContext = window.webkitAudioContext = function(options) {
    const ctx = new Context(options);
    heard.contexts.push(ctx);
    return ctx;
  };
  const connect = AudioNode.prototype.connect;
  AudioNode.prototype.connect = function(target, ...rest) {
    if (!(target instanceof AudioDestinationNode)) return connect.call(this, target, ...rest);
    const analyser = this.context.createAnalyser(), data = new Float32Array(analyser.fftSize);
    connect.call(analyser, target);
    setInterval(() => {
      analyser.getFloatTimeDomainData(data);
      for (const v of data) heard.peak = Math.max(heard.peak, Math.abs(v));
    }, 10);
    return connect.call(this, analyser, ...rest);
  };
}

let browser, base, clock;
async function open(b, before, viewport) {
  const page = await b.newPage();
  if (viewport) await page.setViewport(viewport);
  await page.evaluateOnNewDocument(now => { Date.now = () => now; }, clock);
  if (before) await page.evaluateOnNewDocument(before);
  await page.evaluateOnNewDocument(listen);
  await page.goto(base), await page.waitForFunction('Module.gameRunning', {timeout: 10000});
  await page.focus('canvas');
  return page;
}
const view = page => page.evaluate('Module.game.view()');
const until = (page, test, arg, timeout = 10000) => page.waitForFunction(test, {polling: 20, timeout}, arg);
// The loudest sample heard from the action's start to ms after its end.
async function loudest(page, action, ms) {
  await page.evaluate('heard.peak = 0');
  await action();
  await sleep(ms);
  return page.evaluate('heard.peak');
}
// The block steered to a column and dropped fast: the loudest while it lands.
async function land(page, column) {
  await until(page, s => Module.game.view().state == s, Falling);
  for (let c = 5; c != column; c += Math.sign(column - 5))
    await page.keyboard.press(column < 5 ? 'ArrowLeft' : 'ArrowRight');
  await sleep(150); // the step's tick passes
  return loudest(page, async () => {
    await page.keyboard.down('ArrowDown');
    await until(page, s => Module.game.view().state != s, Falling);
    await page.keyboard.up('ArrowDown');
  }, 200);
}
const Heard = 0.05, Silent = 1e-4;

async function main() {
  const server = await serve(pageDir);
  clock = wordClock(), base = `http://127.0.0.1:${server.address().port}/`;
  browser = await launch(path.join(tmp, 'profile'), ['--autoplay-policy=no-user-gesture-required']);
  let a;
  const label = page => page.evaluate('document.getElementById("sound").textContent');
  const checks = [
    ['each landing and the word are heard', async () => {
      a = await open(browser);
      await a.keyboard.press('Enter');
      const landings = [await land(a, 4), await land(a, 5), await land(a, 6)];
      await until(a, s => Module.game.view().state == s, Removal, 3000);
      const word = await loudest(a, () => sleep(300), 600); // credited 0.5 s after the scan
      const quiet = landings.filter(p => !(p > Heard));
      return quiet.length || !(word > Heard) ? `landings ${landings}, word ${word}` : '';
    }],
    ['the sound button silences them, and says so', async () => {
      await (await a.$('#sound')).click();
      const peak = await land(a, 5), text = await label(a);
      return peak < Silent && text == 'Sound: off (F2)' ? '' : `heard ${peak} with "${text}"`;
    }],
    ['the choice is kept after a reload; F2 turns sound on and off again', async () => {
      await a.reload(), await a.waitForFunction('Module.gameRunning'), await a.focus('canvas');
      const text = await label(a);
      await a.keyboard.press('Enter');
      const off = await land(a, 3);
      await a.keyboard.press('F2');
      const on = await land(a, 5);
      await a.keyboard.press('F2');
      const again = await land(a, 7);
      return text == 'Sound: off (F2)' && off < Silent && on > Heard && again < Silent
        ? '' : `"${text}", heard ${off}, ${on} after F2, ${again} after the second`;
    }],
    ['without the autoplay flag, the first key, or the first tap, resumes audio', async () => {
      // Headless Chromium starts audio without a gesture whatever its flags,
      // so this browser holds it as a phone's does: suspended until resumed
      // from an event that counts as the player's activation (a key, a
      // click, the end of a tap), and not from the touchstart Emscripten's
      // own resume listens for.
      const strict = await launch(path.join(tmp, 'strict'));
      const faults = [];
      for (const gesture of ['key', 'tap']) {
        const phone = gesture == 'tap' && {width: 844, height: 390, isMobile: true, hasTouch: true};
        const page = await open(strict, () => {
          const Context = window.AudioContext;
          window.AudioContext = window.webkitAudioContext = function(options) {
            const ctx = new Context(options), resume = ctx.resume.bind(ctx);
            ctx.suspend();
            ctx.resume = () => { // as Chrome for Android: not from a touchstart
              const during = window.event && window.event.type;
              return navigator.userActivation.isActive && during != 'touchstart' ? resume() : Promise.resolve();
            };
            return ctx;
          };
        }, phone);
        const state = () => page.evaluate('heard.contexts.map(c => c.state).join()');
        const before = await state();
        if (gesture == 'key') await page.keyboard.press('Shift');
        else await page.touchscreen.tap(200, 200); // on the title menu, by the page's touch controls
        await sleep(300);
        const after = await state();
        if (before != 'suspended' || after != 'running') faults.push(`${gesture}: ${before}, then ${after}`);
      }
      await strict.close();
      return faults.join('; ');
    }],
  ];
  await runChecks(checks, async () => { await browser.close(); server.close(); });
}
main().catch(e => { console.error(e); process.exit(1); });
