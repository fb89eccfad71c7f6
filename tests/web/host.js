// What the browser test and the web benchmark both need: the page's files
// served on 127.0.0.1, headless Chromium drawing WebGL in software, and a
// private Xvfb with a folder of the native game's data files beside it.
'use strict';
const puppeteer = require('puppeteer-core');
const {spawn} = require('child_process');
const fs = require('fs'), http = require('http'), path = require('path');

// Resolves to the listening server; its port is server.address().port.
// inject, if given, is put at the top of the page's head, so that it runs
// first in any browser.
function serve(root, inject = '') {
  const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                 '.webmanifest': 'application/manifest+json', '.png': 'image/png'};
  const server = http.createServer((req, res) => {
    const file = path.join(root, path.normalize(new URL(req.url, 'http://page').pathname.replace(/\/$/, '/index.html')));
    fs.readFile(file, (err, data) => {
      res.writeHead(err ? 404 : 200, {'Content-Type': types[path.extname(file)] || 'application/octet-stream'});
      if (!err && inject && file.endsWith('index.html')) data = data.toString().replace('<head>', '<head>' + inject);
      res.end(err ? '' : data);
    });
  });
  return new Promise(r => server.listen(0, '127.0.0.1', () => r(server)));
}

// A fresh profile in profileDir; the network flags keep Chromium from calling
// out of a machine whose network is closed.
function launch(profileDir, extraArgs = []) {
  return puppeteer.launch({
    executablePath: '/usr/lib/chromium/chromium', headless: 'new', userDataDir: profileDir,
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--no-first-run', ...extraArgs]});
}

// Makes run, a folder holding links to the native build's data files, and
// starts an Xvfb of w x h on a free display; resolves to {env, xvfb}, env
// naming that display, once the server takes connections (it writes its
// display number to the pipe then, however busy the machine).
async function nativeDisplay(nativeDir, run, size) {
  fs.mkdirSync(run);
  for (const f of ['dictionary.txt', 'font.pgm', 'tile.ppm', 'water.ppm', 'coarse.ppm'])
    fs.symlinkSync(path.join(nativeDir, 'data', f), path.join(run, f));
  return display(size);
}

// Starts an Xvfb of w x h on a free display: resolves to {env, xvfb} as above.
async function display([w, h]) {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', `${w}x${h}x24`, '-nolisten', 'tcp', '-noreset'],
                     {stdio: ['ignore', 'ignore', 'ignore', 'pipe']});
  const display = await new Promise((resolve, reject) => {
    let text = '';
    xvfb.stdio[3].on('data', d => { text += d; if (text.includes('\n')) resolve(text.trim()); });
    xvfb.on('exit', code => reject(new Error(`Xvfb exited with ${code} before taking connections`)));
    setTimeout(() => reject(new Error('Xvfb took no connections within 30 s')), 30000).unref();
  });
  return {env: {...process.env, DISPLAY: `:${display}`}, xvfb};
}

// The first n numbers of the page's generator with its clock at clockMs:
// musl's rand after srand(time).
function pageDeal(clockMs, n) {
  let seed = BigInt(Math.floor(clockMs / 1000) - 1);
  return Array.from({length: n}, () => Number((seed = (6364136223846793005n * seed + 1n) % 2n ** 64n) >> 33n));
}

const bag = 'AAAAAAAAABBCCDDDDEEEEEEEEEEEEFFGGGHHIIIIIIIIIJKLLLLMMNNNNNNOOOOOOOOPPQRRRRRRSSSSTTTTTTUUUUVVWWXYYZ????';
// The first clock from a known second whose deal is '?', X, Y where a letter
// in some slot makes a word. Of the first game's draws, the title's target
// takes two, then come the first block's letter, the game's target (two),
// and each spawn's next letter and bonus.
function plan(nativeDir) {
  const words = new Set(fs.readFileSync(path.join(nativeDir, 'data/dictionary.txt'), 'latin1').split('\n'));
  for (let clock = 1700000000000; ; clock += 1000) {
    const d = pageDeal(clock, 8), [q, x, y] = [2, 5, 7].map(i => bag[d[i] % 102]);
    if (q != '?' || x == '?' || y == '?') continue;
    for (const letter of 'ABCDEFGHIJKLMNOPQRSTUVWXYZ')
      for (let slot = 0; slot < 3; ++slot) {
        const cells = [x, y];
        cells.splice(slot, 0, letter);
        if (words.has(cells.join(''))) // the '?' at column 1 + slot, X and Y in the others
          return {clock, letter, columns: [1 + slot, ...[1, 2, 3].filter(c => c != 1 + slot)]};
      }
  }
}

// Runs [name, check] pairs in turn, each check resolving to '' when it
// passes and to what went wrong when not; prints each and the counts, then
// closes what cleanup closes and exits, failing if any check failed.
async function runChecks(checks, cleanup) {
  let failed = 0;
  for (const [name, check] of checks) {
    const fault = await check().catch(e => String(e && e.stack || e));
    console.log(`${fault ? 'FAIL' : 'ok  '} ${name}${fault ? ': ' + fault : ''}`);
    failed += !!fault;
  }
  await cleanup();
  console.log(`${checks.length - failed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
}

module.exports = {serve, launch, display, nativeDisplay, pageDeal, plan, bag, runChecks};
