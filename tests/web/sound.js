// The page's sound in headless Chromium, heard through an analyser routed in
// before the page's own script runs, read around each event.
//   node tests/web/sound.js PAGE_FOLDER NATIVE_BUILD
'use strict';
const {serve, launch, pageDeal, runChecks} = require('./host');
const fs = require('fs'), os = require('os'), path = require('path');

const [pageDir, nativeDir] = process.argv.slice(2).map(p => path.resolve(p));
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'glyphtumble-sound-'));
const bag = 'AAAAAAAAABBCCDDDDEEEEEEEEEEEEFFGGGHHIIIIIIIIIJKLLLLMMNNNNNNOOOOOOOOPPQRRRRRRSSSSTTTTTTUUUUVVWWXYYZ????';
const [Falling, Removal] = [3, 6], Heard = 0.05, Silent = 1e-4;
const sleep = ms => new Promise(r => setTimeout(r, ms));

// A clock whose first three blocks spell a word: of the draws, the targets
// take 0, 1, 3, 4; the blocks' letters are 2, 5, 7.
function wordClock() {
  const words = new Set(fs.readFileSync(path.join(nativeDir, 'data/dictionary.txt'), 'latin1').split('\n'));
  for (let clock = 1700000000000; ; clock += 1000)
    if (words.has([2, 5, 7].map(i => bag[pageDeal(clock, 8)[i] % 102]).join(''))) return clock;
}

function listen() { // in the page, before its script
  window.heard = {peak: 0, contexts: []};
  const Context = window.AudioContext, connect = AudioNode.prototype.connect;
  window.AudioContext = window.webkitAudioContext = function(options) {
    return heard.contexts[heard.contexts.push(new Context(options)) - 1];
  };
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

let clock, base;
async function open(browser, before, viewport) {
  const page = await browser.newPage();
  if (viewport) await page.setViewport(viewport);
  await page.evaluateOnNewDocument(now => { Date.now = () => now; }, clock);
  if (before) await page.evaluateOnNewDocument(before);
  await page.evaluateOnNewDocument(listen);
  await page.goto(base), await page.waitForFunction('Module.gameRunning', {timeout: 10000});
  return page.focus('canvas').then(() => page);
}
const until = (page, s, timeout = 10000) =>
  page.waitForFunction(s => Module.game.view().state == s, {polling: 20, timeout}, s);
async function loudest(page, action, ms) { // from the action's start to ms after its end
  await page.evaluate('heard.peak = 0'), await action(), await sleep(ms);
  return page.evaluate('heard.peak');
}
async function land(page, column) { // steered, dropped fast: the loudest while it lands
  await until(page, Falling);
  for (let c = 5; c != column; c += Math.sign(column - 5)) await page.keyboard.press(column < 5 ? 'ArrowLeft' : 'ArrowRight');
  await sleep(150); // the step's tick passes
  return loudest(page, async () => {
    await page.keyboard.down('ArrowDown');
    await page.waitForFunction(s => Module.game.view().state != s, {polling: 20}, Falling);
    await page.keyboard.up('ArrowDown');
  }, 200);
}

async function main() {
  const server = await serve(pageDir);
  clock = wordClock(), base = `http://127.0.0.1:${server.address().port}/`;
  const browser = await launch(path.join(tmp, 'profile'), ['--autoplay-policy=no-user-gesture-required']);
  let a;
  const label = () => a.evaluate('document.getElementById("sound").textContent');
  const checks = [
    ['each landing and the word are heard; the sound button silences them', async () => {
      a = await open(browser);
      await a.keyboard.press('Enter');
      const landings = [await land(a, 4), await land(a, 5), await land(a, 6)];
      await until(a, Removal);
      const word = await loudest(a, () => sleep(300), 600); // credited 0.5 s after the scan
      await (await a.$('#sound')).click();
      const off = await land(a, 5), text = await label();
      return landings.every(p => p > Heard) && word > Heard && off < Silent && text == 'Sound: off (F2)'
        ? '' : `landings ${landings}, word ${word}, ${off} after "${text}"`;
    }],
    ['the choice is kept after a reload; F2 turns sound on and off again', async () => {
      await a.reload(), await a.waitForFunction('Module.gameRunning'), await a.focus('canvas');
      const text = await label();
      await a.keyboard.press('Enter');
      const heard = [await land(a, 3)];
      for (const column of [5, 7]) await a.keyboard.press('F2'), heard.push(await land(a, column));
      return text == 'Sound: off (F2)' && heard[0] < Silent && heard[1] > Heard && heard[2] < Silent
        ? '' : `"${text}": heard ${heard}`;
    }],
    ['without the autoplay flag, the first key, or the first tap, resumes audio', async () => {
      // Headless Chromium plays audio without a gesture whatever its flags, so
      // here it is held as a phone holds it: suspended until resumed from an
      // activation (a key, a click, a tap's end), not a touchstart.
      const strict = await launch(path.join(tmp, 'strict')), faults = [];
      for (const gesture of ['key', 'tap']) {
        const page = await open(strict, () => {
          const Context = window.AudioContext;
          window.AudioContext = function(options) {
            const ctx = new Context(options), resume = ctx.resume.bind(ctx);
            ctx.suspend();
            ctx.resume = () => navigator.userActivation.isActive && window.event.type != 'touchstart'
              ? resume() : Promise.resolve();
            return ctx;
          };
        }, gesture == 'tap' && {width: 844, height: 390, isMobile: true, hasTouch: true});
        const state = () => page.evaluate('heard.contexts.map(c => c.state).join()'), before = await state();
        await (gesture == 'key' ? page.keyboard.press('Shift') : page.touchscreen.tap(200, 200)), await sleep(300);
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
