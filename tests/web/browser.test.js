// Plays the game's page in headless Chromium, served by a static web server on 127.0.0.1, and
// holds it to the terminal's game: the screens, cell for cell, against the virtual terminal's for
// the same seed and keys; the keyboard, the numeric keypad with NumLock on and off, Tab; the files
// in the browser's storage across reloads; downloads that the native program verifies and goes on
// with; a damaged saved game; one game per browser; a full storage, and site data blocked; the
// page installable and played offline after one visit, updated in place, and opened from a file;
// taps and clicks.
// Screenshots and figures go to OUT.
//
//   node browser.test.js PAGE_DIR GAME SCREEN_DUMP OUT [CHROMIUM]
'use strict';

const assert = require('node:assert/strict');
const childProcess = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const puppeteer = require('puppeteer-core');

const [pageDir, game, screenDump, out] = process.argv.slice(2, 6).map((arg) => path.resolve(arg));
const chromium = process.argv[6] || '/usr/bin/chromium';
const Seed = 42;
const Rows = 24;
const Columns = 80;
// The colours of the terminal the page draws, by number: eight, then their bright variants.
const Palette = ['#000000', '#bb0000', '#00bb00', '#bbbb00', '#0000bb', '#bb00bb', '#00bbbb',
                 '#bbbbbb', '#555555', '#ff5555', '#55ff55', '#ffff55', '#5555ff', '#ff55ff',
                 '#55ffff', '#ffffff'].map((hex) => {
  const [r, g, b] = [1, 3, 5].map((i) => parseInt(hex.slice(i, i + 2), 16));
  return `rgb(${r}, ${g}, ${b})`;
});
const DefaultForeground = 7;
// The rows of the map and of the panel beside it, above the message lines.
const MapRows = 20;
// Where the map, the panel and the messages stand: the map's columns and rows, the panel's first
// column, the row of its keypad's heading and the centre of its vi-like keys, the first message
// line's row.
const MapColumns = 59;
const MapHeight = 19;
const PanelColumn = 60;
const ControlsRow = 11;
const ViCentre = 64;
const KeypadCentreRow = 15;
const FirstMessageRow = 19;
// The row of the question after a game: "Continue play?" or "Play again?".
const QuestionRow = 15;
const Viewport = {width: 1100, height: 640};
// The curses codes of the keys that the game turns into digits.
const KeyDown = 0o402;
const KeyRight = 0o405;

const temporary = fs.mkdtempSync(path.join(os.tmpdir(), 'vh-browser-'));
const logFile = path.join(out, 'browser.log');
fs.mkdirSync(out, {recursive: true});
fs.writeFileSync(logFile, '');
const log = (line) => fs.appendFileSync(logFile, line + '\n');
const wait = (milliseconds) => new Promise((resolve) => setTimeout(resolve, milliseconds));

// Waits up to twenty seconds for a condition, checking every 50 ms.
async function waitFor(what, condition) {
  for (let tries = 0; tries < 400; ++tries) {
    const result = await condition();
    if (result) return result;
    await wait(50);
  }
  throw new Error(`timed out waiting for ${what}`);
}

// --- The terminal's side -------------------------------------------------------------------

// The virtual terminal's screen for the seed and keys, with the game's files under `home`. Where
// `savesFail`, no file may grow past 4 KB, which a saved game does: every save fails.
function terminalScreen(keys, home = freshHome(), savesFail = false) {
  const args = [String(Seed), keys.join(',')];
  const [command, commandArgs] = savesFail ?
    ['bash', ['-c', 'trap "" XFSZ; ulimit -f 4; exec "$0" "$@"', screenDump, ...args]] :
    [screenDump, args];
  const result = childProcess.spawnSync(command, commandArgs,
                                        {env: {...process.env, HOME: home}, encoding: 'utf8'});
  assert.equal(result.status, 0, `${screenDump} failed: ${result.stderr}`);
  return JSON.parse(result.stdout);
}

let homes = 0;
function freshHome(savedGame) {
  const home = path.join(temporary, `home-${++homes}`);
  fs.mkdirSync(path.join(home, '.vh'), {recursive: true, mode: 0o700});
  if (savedGame !== undefined) {
    fs.writeFileSync(path.join(home, '.vh', 'vardenholt.sav'), savedGame, {mode: 0o600});
  }
  return home;
}

// What a cell of the virtual terminal looks like on a terminal: its text, the colour bold
// brightens, and the weight of its font.
function expectedCell(screen, row, column) {
  const foreground = screen.foreground[row][column] ?? DefaultForeground;
  const bold = screen.bold[row][column];
  const colour = bold && foreground < 8 ? foreground + 8 : foreground;
  return [screen.rows[row][column], Palette[colour], bold ? '700' : '400'];
}

// --- The page's side -----------------------------------------------------------------------

// Every cell of the page's screen as drawn: its text, colour and font weight.
function pageScreen(page) {
  return page.$$eval('#screen > div', (rows) => rows.map((row) => [...row.children].map((cell) => {
    const style = getComputedStyle(cell);
    return [cell.textContent, style.color, style.fontWeight];
  })));
}

function differences(drawn, screen, rows = Rows) {
  const found = [];
  for (let row = 0; row < rows; ++row) {
    for (let column = 0; column < Columns; ++column) {
      const expected = expectedCell(screen, row, column);
      const cell = drawn[row] ? drawn[row][column] : undefined;
      if (!cell || cell.some((value, i) => value !== expected[i])) {
        found.push(`row ${row} column ${column}: page ${JSON.stringify(cell)}, ` +
                   `terminal ${JSON.stringify(expected)}`);
      }
    }
  }
  return found;
}

const screenText = (drawn) => drawn.map((row) => row.map((cell) => cell[0]).join('')).join('\n');

// Waits for the page to show the terminal's screen, cell for cell.
async function expectScreen(page, screen, what, rows = Rows) {
  let drawn = [];
  try {
    await waitFor(what, async () => {
      drawn = await pageScreen(page);
      return differences(drawn, screen, rows).length === 0;
    });
  } catch (error) {
    const found = differences(drawn, screen, rows);
    throw new Error(`${what}: the page differs from the terminal in ${found.length} cells:\n` +
                    `${found.slice(0, 8).join('\n')}\n--- page ---\n${screenText(drawn)}\n` +
                    `--- terminal ---\n${screen.rows.join('\n')}`);
  }
  log(`${what}: the same as the terminal's, cell for cell`);
}

async function screenRow(page, row) {
  return page.$eval(`#screen > div:nth-child(${row + 1})`, (line) => line.textContent);
}

async function status(page) { return page.$eval('#status', (line) => line.textContent); }

const codes = (text) => [...text].map((character) => character.charCodeAt(0));

// The question after a save, when it came before a reload, covers a row of the map.
const besideQuestion = (drawn) => drawn.slice(0, MapRows).filter((row, i) => i !== QuestionRow);

// A key of the numeric keypad with NumLock off: the browser names it by what it does then, and
// its physical key stays the keypad's.
async function pressKeypadWithoutNumLock(page, code, key, keyCode) {
  const session = await page.createCDPSession();
  for (const type of ['rawKeyDown', 'keyUp']) {
    await session.send('Input.dispatchKeyEvent',
                       {type, key, code, windowsVirtualKeyCode: keyCode, location: 3});
  }
  await session.detach();
}

// Downloads what a click on the page offers into a fresh folder, and gives its path.
let downloads = 0;
async function download(browser, page, click) {
  const folder = path.join(temporary, `download-${++downloads}`);
  fs.mkdirSync(folder);
  await browser.defaultBrowserContext().setDownloadBehavior({policy: 'allow',
                                                             downloadPath: folder});
  await click(page);
  const file = await waitFor('a download', () => {
    const names = fs.readdirSync(folder);
    return names.length === 1 && !names[0].endsWith('.crdownload') && path.join(folder, names[0]);
  });
  return file;
}

// --- The native program in a real terminal -------------------------------------------------

function tmux(...words) {
  return childProcess.spawnSync('tmux', ['-L', `vh-browser-${process.pid}`, ...words],
                                {encoding: 'utf8'});
}

// The native game's screen after the instructions, in an 80x24 tmux terminal, with HOME holding
// the saved game; null where tmux is not installed. Closing the terminal then hangs up on the
// game, which saves it in HOME again.
async function nativeScreen(home) {
  if (tmux('-V').status !== 0) return null;
  tmux('-f', '/dev/null', 'new-session', '-d', '-s', 'game', '-x', '80', '-y', '24',
       `env -i HOME=${home} TERM=xterm-256color PATH=/usr/bin:/bin ${game}`);
  try {
    const capture = () => tmux('capture-pane', '-p', '-t', 'game').stdout;
    await waitFor('the native instructions', () => capture().includes('Press any key to start'));
    tmux('send-keys', '-t', 'game', 'Space');
    return await waitFor('the native game', () => capture().includes('Area:') && capture());
  } finally {
    tmux('kill-server');
  }
}

// --- Figures -------------------------------------------------------------------------------

function pageSizes() {
  const files = fs.readdirSync(pageDir).sort();
  const sizes = files.map((name) => {
    const bytes = fs.readFileSync(path.join(pageDir, name));
    return {name, bytes: bytes.length, compressed: zlib.gzipSync(bytes, {level: 9}).length};
  });
  const total = (key) => sizes.reduce((sum, file) => sum + file[key], 0);
  return {files: sizes, bytes: total('bytes'), compressed: total('compressed')};
}

// Milliseconds from the start of the page's navigation to the game's first screen, and from the
// page's HTML having arrived.
function firstScreenTime(page) {
  return page.evaluate(() => ({
    opened: window.firstScreen,
    arrived: window.firstScreen - performance.getEntriesByType('navigation')[0].responseEnd,
  }));
}

// From each key's event to the page's screen drawn anew, for real key presses.
async function keyLatencies(page, key, count) {
  const times = [];
  for (let i = 0; i < count; ++i) {
    await page.evaluate(() => { window.keyTimes = null; });
    await page.keyboard.press(key);
    times.push(await waitFor('the screen after a key', () => page.evaluate(() => window.keyTimes)));
  }
  return times;
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Installed in every page before its own scripts: when the game's first screen appears, and when
// the screen changes after a key.
function instrument() {
  let keyDown = null;
  window.addEventListener('keydown', (event) => { keyDown = event.timeStamp; }, true);
  new MutationObserver(() => {
    const screen = document.getElementById('screen');
    if (!screen) return;
    if (window.firstScreen === undefined && screen.textContent.includes('Vardenholt')) {
      window.firstScreen = performance.now();
    }
    if (keyDown !== null) {
      window.keyTimes = performance.now() - keyDown;
      keyDown = null;
    }
  }).observe(document, {subtree: true, childList: true, characterData: true, attributes: true});
}

// --- The test ------------------------------------------------------------------------------

async function startServer(directory = pageDir) {
  const server = childProcess.spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1',
                                                '--directory', directory, '0'],
                                    {stdio: ['ignore', 'pipe', 'pipe']});
  let output = '';
  server.stdout.on('data', (data) => { output += data; });
  const port = await waitFor('the web server', () => (/port (\d+)/.exec(output) || [])[1]);
  return {server, base: `http://127.0.0.1:${port}/`};
}

// Whatever a page of the game threw; the test fails on any.
const pageErrors = [];

async function openPage(browser, url) {
  const page = await browser.newPage();
  await page.setViewport(Viewport);
  await page.evaluateOnNewDocument(instrument);
  page.on('pageerror', (error) => {
    pageErrors.push(error.message);
    log(`page error: ${error.message}`);
  });
  await page.goto(url);
  return page;
}

async function run(browser, base) {
  const figures = {sizes: pageSizes()};
  const page = await openPage(browser, `${base}?seed=${Seed}`);

  // The instructions, then area 1, exactly as the terminal shows them for the seed.
  const keys = [];
  await expectScreen(page, terminalScreen(keys), 'the instructions');
  figures.coldLoad = await firstScreenTime(page);
  assert.match(await page.$eval('h1', (title) => title.textContent), /Vardenholt/);
  assert.match(await page.$eval('header p', (line) => line.textContent), /h j k l/);
  await page.keyboard.press('Space');
  keys.push(32);
  await expectScreen(page, terminalScreen(keys), 'area 1');
  await page.screenshot({path: path.join(out, 'first-area.png')});

  // The screen is as large as the window lets it be, whole.
  const screenSize = () => page.$eval('#screen', (screen) => {
    const box = screen.getBoundingClientRect();
    return {right: box.right, bottom: box.bottom, width: box.width};
  });
  const large = await screenSize();
  await page.setViewport({width: 640, height: 400});
  const small = await waitFor('the screen to shrink', async () => {
    const size = await screenSize();
    return size.width < large.width && size;
  });
  assert.ok(small.right <= 640 && small.bottom <= 400,
            `the screen overflows: ${JSON.stringify(small)}`);
  await page.setViewport(Viewport);
  log(`the screen fits the window: ${large.width.toFixed(0)} pixels wide, ` +
      `${small.width.toFixed(0)} in a smaller window`);

  // Moves: a letter, the keypad with NumLock on and off, the arrows.
  await page.keyboard.press('l');
  await page.keyboard.press('Numpad6');
  await page.keyboard.press('ArrowRight');
  await pressKeypadWithoutNumLock(page, 'Numpad5', 'Clear', 12);
  await pressKeypadWithoutNumLock(page, 'Numpad6', 'ArrowRight', 39);
  await page.keyboard.press('ArrowDown');
  keys.push('l'.charCodeAt(0), '6'.charCodeAt(0), KeyRight, '5'.charCodeAt(0), '6'.charCodeAt(0),
            KeyDown);
  await expectScreen(page, terminalScreen(keys), 'after moves by letter, keypad and arrows');

  // Keys the game does not take stay the browser's, and change nothing.
  await page.keyboard.press('Shift');
  await page.keyboard.press('F2');
  figures.keyLatencies = await keyLatencies(page, 'l', 10);
  keys.push(...Array(10).fill('l'.charCodeAt(0)));
  await expectScreen(page, terminalScreen(keys), 'after ten steps');

  // Tab is the game's, as in a terminal, and leaves the focus where it is: the keys after it are
  // the game's too.
  await page.keyboard.press('Tab');
  keys.push(9);
  await expectScreen(page, terminalScreen(keys), 'after Tab');
  await page.keyboard.press('l');
  keys.push('l'.charCodeAt(0));
  await expectScreen(page, terminalScreen(keys), 'a step after Tab');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'screen');

  // The help screen, and back.
  await page.keyboard.press('?');
  keys.push('?'.charCodeAt(0));
  await expectScreen(page, terminalScreen(keys), 'the help screen');
  await page.screenshot({path: path.join(out, 'help.png')});
  await page.keyboard.press('x');
  keys.push('x'.charCodeAt(0));
  await expectScreen(page, terminalScreen(keys), 'back from the help screen');

  // A second page of the same browser finds the game running and leaves it alone.
  const second = await openPage(browser, base);
  await waitFor('the second page to refuse', async () =>
    /already running in another page/.test(await status(second)));
  await second.close();
  log('a second page refuses to play while the first one does');

  // Leaving the page in the middle of a game saves it, as a terminal that hangs up does: the
  // reload goes on from the last turn, without the seed, which only ever starts a new game.
  const beforeLeaving = await pageScreen(page);
  await page.reload();
  assert.equal(new URL(page.url()).search, '',
               'the seed stays in the address after the game began');
  await expectScreen(page, terminalScreen([]), 'the instructions after a reload');
  figures.warmLoad = await firstScreenTime(page);
  await page.keyboard.press('Space');
  await waitFor('the game left by a reload', async () =>
    screenText((await pageScreen(page)).slice(0, MapRows)) ===
    screenText(beforeLeaving.slice(0, MapRows)));
  log('a reload in the middle of a game goes on from the last turn');

  // A save that the page leaves before the browser has stored it is kept all the same.
  await page.keyboard.press('S');
  await page.keyboard.press('.');
  const lastTurn = await pageScreen(page);
  await page.reload();
  await expectScreen(page, terminalScreen([]), 'the instructions after leaving during a save');
  await page.keyboard.press('Space');
  await waitFor('the game saved as the page went away', async () =>
    screenText(besideQuestion(await pageScreen(page))) === screenText(besideQuestion(lastTurn)));
  log('a save made as the page goes away is kept');

  // A save, at the end of the turn: the page offers the saved game and the recordings of the
  // three games so far, each going on from the one before.
  await page.keyboard.press('S');
  await page.keyboard.press('.');
  await waitFor('the question after a save', async () =>
    /Continue play\? \[Y\/n\]/.test(await screenRow(page, QuestionRow)));
  const savedGame = await download(browser, page, (p) => p.click('#download-save'));
  assert.equal(path.basename(savedGame), 'vardenholt.sav');
  await page.click('#recordings summary');
  const links = await waitFor('three recordings', async () => {
    const found = await page.$$('#recordings li a.download');
    return found.length === 3 && found;
  });
  // A control that was clicked keeps Tab, which goes on to the next one; the game, asking
  // whether to go on, does not take it for an answer.
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.textContent),
               await links[0].evaluate((link) => link.textContent));
  for (const link of links) {
    const recording = await download(browser, page, () => link.click());
    const verified = childProcess.spawnSync(game, ['--verify', recording],
                                            {env: {...process.env, HOME: freshHome()},
                                             encoding: 'utf8'});
    assert.equal(verified.status, 0, `--verify of the browser's recording: ${verified.stdout}` +
                                     `${verified.stderr}\n${fs.readFileSync(recording, 'utf8')}`);
    assert.match(verified.stdout, /saved/);
    log(`a recording of the browser verifies in the terminal: ${verified.stdout.trim()}`);
  }

  // The saved game goes on in the terminal, in the virtual terminal and in the native program
  // in tmux, as it does in the page after a reload.
  const continued = terminalScreen([32], freshHome(fs.readFileSync(savedGame)));
  const nativeHome = freshHome(fs.readFileSync(savedGame));
  const native = await nativeScreen(nativeHome);
  if (native === null) {
    log('tmux is not installed: the downloaded game was only loaded by the native loader');
  } else {
    const trimmed = (rows) => rows.slice(0, MapRows).map((row) => row.trimEnd()).join('\n');
    assert.equal(trimmed(native.split('\n')), trimmed(continued.rows),
                 'the native program does not go on with the game saved in the browser');
    log('the native program goes on with the game saved in the browser');
  }
  await page.reload();
  await expectScreen(page, terminalScreen([]), 'the instructions after a second reload');
  await page.keyboard.press('Space');
  await expectScreen(page, continued, 'the saved game after a reload');

  // Between games the page loads a saved game from a file, and goes on with it: one that the
  // terminal saved, then a damaged one, which gives the terminal's error line.
  const saveAndLoad = async (file) => {
    await page.keyboard.press('S');
    await page.keyboard.press('.');
    await waitFor('the question after a save', async () =>
      /Continue play/.test(await screenRow(page, QuestionRow)));
    const input = await page.$('#load-save input');
    await Promise.all([page.waitForNavigation(), input.uploadFile(file)]);
    await expectScreen(page, terminalScreen([]), `the instructions after loading ${file}`);
    await page.keyboard.press('Space');
  };
  if (native !== null) {
    const nativeSave = path.join(nativeHome, '.vh', 'vardenholt.sav');
    await waitFor('the terminal\'s game saved as its terminal closed', () =>
      fs.existsSync(nativeSave));
    await saveAndLoad(nativeSave);
    await expectScreen(page, terminalScreen([32], freshHome(fs.readFileSync(nativeSave))),
                       'the game that the terminal saved');
  }
  const damaged = path.join(temporary, 'damaged.sav');
  fs.writeFileSync(damaged, '[191]I[5]');
  await saveAndLoad(damaged);
  const error = terminalScreen([32], freshHome('[191]I[5]'));
  assert.match(error.rows[0], /^253: Invalid unmarshalling id/);
  await expectScreen(page, error, 'the damaged saved game');
  await page.keyboard.press('x');
  await waitFor('the error line below the page', async () =>
    /^253: Invalid unmarshalling id.*The game has ended/.test(await status(page)));

  // A seed starts a new game, so it neither replaces nor continues a saved one, and a seed that
  // is not one is named, as on the command line.
  await page.goto(`${base}?seed=${Seed}`);
  await waitFor('the refusal of a seeded game', async () =>
    /a saved game exists in this browser/.test(await status(page)));
  await page.goto(`${base}?seed=twelve`);
  await waitFor('the refusal of a wrong seed', async () =>
    /the seed must be a whole number from 0 to 2147483647, not 'twelve'/.test(await status(page)));
  log('the page refuses a seed while a game is saved, and a seed that is not a number');
  return figures;
}

// With the site's storage full, a save fails as it does on a full disk: the message lines say so
// as the terminal's do, and the game goes on. The page still starts, with the game it left; once
// the storage has room again, a save is kept.
async function storageFull(browser, base) {
  const context = await browser.createBrowserContext();
  const page = await openPage(context, 'about:blank');
  const storage = await page.createCDPSession();
  const origin = new URL(base).origin;
  await storage.send('Storage.overrideQuotaForOrigin', {origin, quotaSize: 1});
  await page.goto(`${base}?seed=${Seed}`);
  await expectScreen(page, terminalScreen([]), 'the instructions with the storage full');

  const keys = codes(' S.');
  for (const key of ['Space', 'S', '.']) await page.keyboard.press(key);
  const failed = terminalScreen(keys, freshHome(), true);
  // Above the line of the error, which names the terminal's own file and reason, the page is the
  // terminal's; the line names the page's, with a full disk's reason.
  const ErrorRow = 22;
  assert.match(failed.rows.slice(ErrorRow).join(' '),
               /^1: File Error: \S+\/\.vh\/vardenholt\.sav: File\s+too\s+large/);
  await expectScreen(page, failed, 'a save with the storage full', ErrorRow);
  const errorLines = await Promise.all([ErrorRow, ErrorRow + 1].map((row) => screenRow(page, row)));
  assert.deepEqual(errorLines.map((line) => line.trimEnd()), [
    '1: File Error: /home/web_user/.vh/vardenholt.sav: No space left on device', '']);

  const beforeLeaving = await pageScreen(page);
  await page.reload();
  await expectScreen(page, terminalScreen([]), 'the instructions after a reload, storage full');
  await page.keyboard.press('Space');
  await waitFor('the game left by a reload with the storage full', async () =>
    screenText((await pageScreen(page)).slice(0, MapRows)) ===
    screenText(beforeLeaving.slice(0, MapRows)));
  log('with the storage full a save fails as on a full disk, and the page still starts');

  await storage.send('Storage.overrideQuotaForOrigin', {origin});
  await page.keyboard.press('S');
  await page.keyboard.press('.');
  await waitFor('the question after a save with room again', async () =>
    /Continue play\? \[Y\/n\]/.test(await screenRow(page, QuestionRow)));
  const saved = await pageScreen(page);
  await page.reload();
  await expectScreen(page, terminalScreen([]), 'the instructions after a save with room again');
  await page.keyboard.press('Space');
  await waitFor('the game saved once the storage had room', async () =>
    screenText(besideQuestion(await pageScreen(page))) === screenText(besideQuestion(saved)));
  log('once the storage has room again, a save is kept');
  await context.close();
}

// The page is an installable web app that keeps its files: the manifest reads without an error,
// Chromium finds nothing against installing it, and after one visit, with the network cut off
// for the page and for its service worker, a reload starts the game and plays it.
async function installableAndOffline(base) {
  // A browser of its own: a private window installs nothing, and this one's game is its own.
  const browser = await launch(path.join(temporary, 'installing-profile'));
  try {
    await playOffline(browser, base);
  } finally {
    await browser.close();
  }
}

async function playOffline(browser, base) {
  const page = await openPage(browser, `${base}?seed=${Seed}`);
  await expectScreen(page, terminalScreen([]), 'the instructions on a first visit');
  const devTools = await page.createCDPSession();
  const manifest = await devTools.send('Page.getAppManifest');
  assert.deepEqual(manifest.errors, [], 'the web manifest has errors');
  assert.equal(JSON.parse(manifest.data).display, 'standalone');
  const {installabilityErrors} = await devTools.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, [], 'Chromium would not install the page');

  const cache = /const Cache = '([^']+)'/.exec(
    fs.readFileSync(path.join(pageDir, 'service-worker.js'), 'utf8'))[1];
  assert.match(cache, /^vardenholt-[0-9a-f]{16}$/);
  await waitFor('the service worker to keep the page', () => page.evaluate(
    async (name) => navigator.serviceWorker.controller !== null &&
                    (await caches.keys()).join() === name, cache));
  const worker = await browser.waitForTarget((target) => target.type() === 'service_worker');
  const offline = {offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1};
  const workerDevTools = await worker.createCDPSession();
  await workerDevTools.send('Network.enable');
  await workerDevTools.send('Network.emulateNetworkConditions', offline);
  await page.setOfflineMode(true);
  assert.equal(await page.evaluate((url) => fetch(url).then(() => 'answered', () => 'cut off'),
                                   `${base}not-kept-by-the-page`), 'cut off');
  await page.reload();
  await expectScreen(page, terminalScreen([]), 'the instructions offline');
  await page.keyboard.press('Space');
  await expectScreen(page, terminalScreen([32]), 'area 1 offline');
  log('the manifest reads, the page is installable, and after one visit it plays offline');
}

// Taps and clicks play the game as its keys do: a game is started, played and saved by clicks
// alone with a mouse, and by taps alone on a touch screen, and its screen compared, cell for
// cell, with the terminal's for the same keys. Each in a browser of its own, with no game saved.
// Each in a browser of its own, as each is a device of its own; what each measured.
async function tapsAndClicks(base) {
  const Phone = {isMobile: true, hasTouch: true};
  const ways = [
    {how: 'a mouse', viewport: {width: 1280, height: 800}, answer: 'No',
     tap: (page, x, y) => page.mouse.click(x, y)},
    {how: 'taps', viewport: {width: 844, height: 390, ...Phone},
     answer: 'Yes', tap: (page, x, y) => page.touchscreen.tap(x, y)},
    {how: 'taps upright', viewport: {width: 390, height: 844, ...Phone}},
  ];
  const measured = [];
  for (const {how, viewport, answer, tap} of ways) {
    const browser = await launch(path.join(temporary, `profile-${how.replaceAll(' ', '-')}`));
    try {
      const page = await openPage(browser, 'about:blank');
      await page.setViewport(viewport);
      await page.goto(`${base}?seed=${Seed}`);
      const sizes = answer === undefined ? await playUpright(page) :
                                           await playByPointer(page, how, (x, y) => tap(page, x, y), answer);
      const size = `${viewport.width}x${viewport.height}`;
      assert.ok(sizes.button.every((side) => side >= 44), `${size}: a control of ${sizes.button}`);
      measured.push({size, ...sizes});
    } finally {
      await browser.close();
    }
  }
  return measured;
}

// The smallest character and button that show in the window, in CSS pixels: the screen's cells
// that its frame leaves in sight, the messages and captures beneath it where they show, and every
// control of the page.
function smallestShown(page) {
  return page.evaluate(() => {
    const inWindow = (box) => box.width > 0 && box.right > 0 && box.bottom > 0 &&
                              box.left < innerWidth && box.top < innerHeight;
    const frame = document.querySelector('main').getBoundingClientRect();
    const inFrame = (box) => box.right > frame.left && box.left < frame.right &&
                             box.bottom > frame.top && box.top < frame.bottom;
    const smallest = (boxes) => boxes.length === 0 ? null :
      [Math.min(...boxes.map((box) => box.width)), Math.min(...boxes.map((box) => box.height))];
    const cells = [...document.querySelectorAll('#screen span')].map((cell) => cell.getBoundingClientRect())
      .filter((box) => inWindow(box) && inFrame(box));
    // A run of characters is as wide as its characters together.
    const runs = [...document.querySelectorAll('#compact span span')].filter((run) => run.textContent)
      .map((run) => {
        const box = run.getBoundingClientRect();
        return {width: box.width / run.textContent.length, height: box.height, box};
      }).filter((run) => inWindow(run.box));
    const buttons = [...document.querySelectorAll('button, .load, summary')].map((button) => button.getBoundingClientRect())
      .filter(inWindow);
    return {character: smallest([...cells, ...runs]), button: smallest(buttons), cells: cells.length};
  });
}

const tapBox = (page, box) => page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);

// The button of `selector` that reads `label`, where it is on the page.
async function buttonBox(page, selector, label) {
  for (const button of await page.$$(selector)) {
    if (await button.evaluate((b) => b.textContent) === label) return button.boundingBox();
  }
  throw new Error(`no button ${label} in ${selector}`);
}

// The page's screen columns that its frame shows whole, and its rows.
const shownCells = (page) => page.evaluate(() => {
  const frame = document.querySelector('main').getBoundingClientRect();
  const lines = [...document.querySelectorAll('#screen > div')];
  const rows = lines.filter((line) => {
    const box = line.getBoundingClientRect();
    return box.top >= frame.top - 0.5 && box.bottom <= frame.bottom + 0.5;
  }).map((line) => lines.indexOf(line));
  const columns = [...lines[0].children].flatMap((cell, column) => {
    const box = cell.getBoundingClientRect();
    return box.left >= frame.left - 0.5 && box.right <= frame.right + 0.5 ? [column] : [];
  });
  return {rows, columns};
});

const range = (from, to) => Array.from({length: to - from}, (_, i) => from + i);
const kingColumnOf = (screen) => screen.rows.slice(0, MapRows).find((row) => row.includes('@'))
  .indexOf('@');

// The panel's lines above its keypad and the message lines, as the page sets them out beneath
// the map: the panel's spaces squeezed and its underlines left out, the messages down to the last
// that says something.
function compactOf(screen) {
  const panel = screen.rows.slice(0, ControlsRow).map((row) => row.slice(PanelColumn).trim().replace(/ +/g, ' '))
    .filter((line) => line !== '' && !/^-+$/.test(line));
  const messages = screen.rows.slice(FirstMessageRow).map((row) => row.trimEnd());
  while (messages.length > 0 && messages[messages.length - 1] === '') messages.pop();
  return {panel, messages};
}

const pageCompact = (page) => page.evaluate(() => ({
  panel: [...document.querySelectorAll('#compact .panel > span')].map((item) => item.textContent),
  messages: [...document.querySelectorAll('#compact .messages > div')].map((line) => line.textContent),
}));

// On a phone held upright: the map around the King at a readable size, following him, with the
// messages, the area and the captures beneath and the keypad's keys below it; the other screens
// whole, to scroll across, and the whole screen on demand. Played and saved by taps alone.
async function playUpright(page) {
  const keys = [];
  const screenOf = () => terminalScreen(keys);
  const tapCell = async (column, row) => tapBox(page, await cellBox(page, column, row));
  const tapKey = async (letter) => {
    await tapBox(page, await buttonBox(page, '#pad button', letter));
    keys.push(letter.charCodeAt(0));
  };
  const expectFollowed = async (what) => {
    const screen = screenOf();
    await expectScreen(page, screen, what);
    const shown = await shownCells(page);
    assert.deepEqual(shown.rows, range(0, MapHeight), `${what}: the map's rows, and only they`);
    const king = kingColumnOf(screen);
    assert.ok(shown.columns.includes(king), `${what}: the King's column ${king} in ${shown.columns}`);
    assert.ok(shown.columns.length >= 43, `${what}: ${shown.columns.length} columns shown`);
    assert.ok(shown.columns.at(-1) <= MapColumns - 1 || shown.columns[0] === 0,
              `${what}: the frame goes past the map (${shown.columns[0]} to ${shown.columns.at(-1)})`);
    await waitFor(`${what}: the messages, area and captures beneath the map`, async () =>
      JSON.stringify(await pageCompact(page)) === JSON.stringify(compactOf(screen)));
  };

  // The instructions: the whole of their width, to scroll across.
  await expectScreen(page, screenOf(), 'the instructions, upright');
  const instructions = await shownCells(page);
  assert.deepEqual(instructions.rows, range(0, Rows), 'all the instructions\' rows');
  assert.equal(instructions.columns[0], 0);
  await tapCell(10, 10);
  keys.push(32);
  await expectFollowed('the first area, upright');
  const sizes = await smallestShown(page);
  assert.ok(sizes.character[0] >= 9 && sizes.character[1] >= 16,
            `upright, a character of ${sizes.character}`);
  assert.ok(await page.$eval('#compact', (section) => !section.hidden));

  // A cell no open move reaches does nothing; a finger held on it shows the cells that open
  // moves reach until it lifts.
  const open = await openMovesOf(page);
  assert.ok(!open.some(([, column, row]) => column === 0 && row === 0));
  const before = await pageScreen(page);
  const corner = await cellBox(page, 0, 0);
  await page.touchscreen.touchStart(corner.x + corner.width / 2, corner.y + corner.height / 2);
  const outlined = () => page.$$eval('#screen span', (cells) =>
    cells.flatMap((cell, i) => cell.style.boxShadow ? [`${i % 80},${Math.floor(i / 80)}`] : []));
  assert.deepEqual((await outlined()).sort(), open.map(([, column, row]) => `${column},${row}`).sort(),
                   'a finger down outlines the cells that open moves reach');
  await page.touchscreen.touchEnd();
  assert.deepEqual(await outlined(), [], 'the outlines go with the finger');
  await tapBox(page, await buttonBox(page, '#commands button', 'Redraw'));
  keys.push('r'.charCodeAt(0));
  await expectFollowed('a tap that reaches nothing, upright');
  assert.equal(screenText(await pageScreen(page)), screenText(before));

  // The keypad's keys stand as the side panel shows them, in the colours of their moves.
  const pad = await page.$$eval('#pad button', (buttons) => buttons.map((button) => {
    const place = getComputedStyle(button);
    return [button.textContent, Number(place.gridRowStart), Number(place.gridColumnStart),
            button.disabled, button.style.color];
  }));
  const drawn = screenOf();
  assert.equal(pad.length, 25);
  for (const [letter, padRow, padColumn, disabled, colour] of pad) {
    const onPanel = drawn.rows[KeypadCentreRow + padRow - 3][ViCentre + padColumn - 3];
    assert.ok(onPanel === letter || onPanel === ' ',
              `the pad's ${letter} stands where the panel's keypad has it (${onPanel})`);
    const move = open.find(([key]) => key === letter.charCodeAt(0));
    assert.equal(disabled, move === undefined, `the pad's ${letter} is open as its move is`);
    if (move) assert.equal(colour, Palette[move[3]], `the pad's ${letter} in its move's colour`);
  }

  // Off towards the map's right edge: the frame follows the King, who stays in sight.
  await tapKey('l');
  await expectFollowed('a move by the pad, upright');
  let scrolled = false;
  for (let turn = 0; turn < 30 && !scrolled; ++turn) {
    const moves = await openMovesOf(page);
    const shown = await shownCells(page);
    const [key, column, row] = moves.filter(([, column]) => shown.columns.includes(column))
      .reduce((best, move) => move[1] > best[1] ? move : best);
    await tapCell(column, row);
    keys.push(key);
    await expectFollowed(`a move towards the right, upright (${String.fromCharCode(key)})`);
    scrolled = (await shownCells(page)).columns[0] > 0;
  }
  assert.ok(scrolled, 'the frame followed the King to the right');
  await page.screenshot({path: path.join(out, 'played-upright.png')});

  // The help screen whole, to scroll across; the map again after it.
  await tapBox(page, await buttonBox(page, '#commands button', 'Help'));
  keys.push('?'.charCodeAt(0));
  await expectScreen(page, screenOf(), 'the help screen, upright');
  assert.deepEqual((await shownCells(page)).rows, range(0, Rows), 'all the help screen\'s rows');
  assert.ok(await page.$eval('#compact', (section) => section.hidden));
  await tapCell(5, 5);
  keys.push(32);
  await expectFollowed('back from the help screen, upright');

  // The whole screen on demand, every cell of it in the window; then the King followed again.
  await tapBox(page, await buttonBox(page, '#commands button', 'Whole screen'));
  const whole = await shownCells(page);
  assert.deepEqual([whole.rows, whole.columns], [range(0, Rows), range(0, Columns)],
                   'the whole screen in the window');
  assert.ok((await cellBox(page, Columns - 1, Rows - 1)).x + 1 < 390);
  await tapBox(page, await buttonBox(page, '#commands button', 'Follow the King'));
  await expectFollowed('following the King again');

  // Saved by taps; the question's buttons in sight.
  await tapBox(page, await buttonBox(page, '#commands button', 'Save'));
  keys.push('S'.charCodeAt(0));
  await tapKey('.');
  await waitFor('the question after a save, upright', async () =>
    !(await page.$eval('#answers', (answers) => answers.hidden)));
  const yes = await buttonBox(page, '#answers button', 'Yes');
  assert.ok(yes.y + yes.height <= 844, 'the question\'s buttons in the window');
  await tapBox(page, yes);
  keys.push('y'.charCodeAt(0));
  await expectFollowed('a game saved by taps upright, and Yes to go on');
  log('a game played and saved by taps on a phone held upright');
  return sizes;
}

// Where a cell of the page's screen is, in the page's pixels.
function cellBox(page, column, row) {
  return page.$eval('#screen', (screen, i) => {
    const box = screen.querySelectorAll('span')[i].getBoundingClientRect();
    return {x: box.x, y: box.y, width: box.width, height: box.height};
  }, row * Columns + column);
}

async function cellCentre(page, column, row) {
  const box = await cellBox(page, column, row);
  return [box.x + box.width / 2, box.y + box.height / 2];
}

const openMovesOf = (page) => page.evaluate(() => UTF8ToString(_vh_open_moves()))
  .then((lines) => lines.split('\n').filter(Boolean).map((line) => line.split(' ').map(Number)));

// Plays from the instructions to a save by `tapAt` alone, and answers the question after it.
async function playByPointer(page, how, tapAt, answer) {
  const tapCell = async (column, row) => tapAt(...await cellCentre(page, column, row));
  const tapButton = async (label) => {
    const [button] = await page.$$(`xpath/.//button[text()="${label}"]`);
    const box = await button.boundingBox();
    assert.ok(box.width >= 44 && box.height >= 44, `the ${label} button is ${box.width}x${box.height}`);
    await tapAt(box.x + box.width / 2, box.y + box.height / 2);
    assert.equal(await page.evaluate(() => document.activeElement.id), 'screen',
                 `the ${label} button took the focus`);
  };
  const keys = [];
  const screenOf = () => terminalScreen(keys);
  await expectScreen(page, screenOf(), `the instructions, by ${how}`);
  const letters = await page.$$eval('#letters button', (all) => all.map((b) => b.textContent));
  const noHover = await page.evaluate(() => matchMedia('(hover: none)').matches);
  assert.equal(letters.sort().join(''), noHover ? 'BHJKLNUYacdeqwxz' : '',
               'the buttons of the moves named by letter alone, where nothing hovers');
  await tapCell(10, 10);
  keys.push(32);
  await expectScreen(page, screenOf(), `the first area, by ${how}`);
  const sizes = await smallestShown(page);
  assert.equal(sizes.cells, Rows * Columns, `the whole screen shows, by ${how}`);
  if (how === 'a mouse') {
    // Over the screen, the mouse shows the cells that open moves reach, in their keypad colours.
    await page.mouse.move(...await cellCentre(page, 30, 10));
    const outlined = await page.$$eval('#screen span', (cells) => cells.flatMap((cell, i) =>
      cell.style.boxShadow ? [[i % 80, Math.floor(i / 80), getComputedStyle(cell).boxShadow]] : []));
    const open = await openMovesOf(page);
    assert.deepEqual(outlined.map(([column, row]) => [column, row]),
                     open.map(([, column, row]) => [column, row]).sort((a, b) => a[1] - b[1] || a[0] - b[0]));
    assert.ok(outlined.every(([, , shadow], i) => shadow.includes(Palette[open.find(
      ([, column, row]) => column === outlined[i][0] && row === outlined[i][1])[3]])));
  }

  // A cell no open move reaches changes nothing; nor does one of the side panel's labels.
  const before = await pageScreen(page);
  const reached = new Set((await openMovesOf(page)).map(([, column, row]) => `${column},${row}`));
  const unreached = [[0, 0], [79, 0], [61, 2]].find(([column, row]) => !reached.has(`${column},${row}`));
  await tapCell(...unreached);
  await tapButton('Redraw');
  keys.push('r'.charCodeAt(0));
  await expectScreen(page, screenOf(), `a tap that reaches nothing, by ${how}`);
  assert.equal(screenText(await pageScreen(page)), screenText(before));

  // Each key the keypad shows gives its key.
  const drawn = await pageScreen(page);
  for (let row = 13; row <= 17; ++row) {
    for (let column = 60; column < Columns; ++column) {
      const key = await page.evaluate((c, r) => _vh_keypad_key(c, r), column, row);
      if (key < 0 || drawn[row][column][0] === ' ') continue;  // no key, or its group is closed
      assert.equal(drawn[row][column][0], String.fromCharCode(key), `the keypad at ${column},${row}`);
      await tapCell(column, row);
      keys.push(key);
      await expectScreen(page, screenOf(), `the keypad's ${String.fromCharCode(key)}, by ${how}`);
    }
  }
  // Moves by tapping the cells they reach, then a save.
  for (let turn = 0; turn < 4; ++turn) {
    const moves = await openMovesOf(page);
    const [key, column, row] = moves[turn % moves.length];
    await tapCell(column, row);
    keys.push(key);
    await expectScreen(page, screenOf(), `a move by ${how} (${String.fromCharCode(key)})`);
  }
  await tapButton('Save');
  keys.push('S'.charCodeAt(0));
  const [wait, column, row] = (await openMovesOf(page)).find(([key]) => key === '.'.charCodeAt(0));
  await tapCell(column, row);
  keys.push(wait);
  await waitFor(`the question after a save by ${how}`, async () =>
    !(await page.$eval('#answers', (answers) => answers.hidden)));
  await tapButton(answer);
  keys.push(answer.toLowerCase().charCodeAt(0));
  await expectScreen(page, screenOf(), `a game saved by ${how}, and ${answer} to go on`);
  await page.screenshot({path: path.join(out, `played-by-${how.replace(' ', '-')}.png`)});
  log(`a game played and saved by ${how} alone`);
  return sizes;
}

// A new build served in place of the old one is played on the next visit, its service worker
// drops the old build's files, and the game saved before the update goes on.
async function updated() {
  const copy = path.join(temporary, 'served');
  fs.cpSync(pageDir, copy, {recursive: true});
  const {server, base} = await startServer(copy);
  const browser = await launch(path.join(temporary, 'updating-profile'));
  try {
    const page = await openPage(browser, `${base}?seed=${Seed}`);
    await expectScreen(page, terminalScreen([]), 'the instructions before the update');
    const cacheNames = () => page.evaluate(async () => (await caches.keys()).join());
    const oldBuild = await waitFor('the old build kept', cacheNames);
    for (const key of ['Space', 'S', '.']) await page.keyboard.press(key);
    await waitFor('the question after the save before the update', async () =>
      /Continue play\? \[Y\/n\]/.test(await screenRow(page, QuestionRow)));
    await page.keyboard.press('n');
    await waitFor('the game saved before the update', async () =>
      /The game has ended/.test(await status(page)));

    const worker = path.join(copy, 'service-worker.js');
    fs.writeFileSync(worker, fs.readFileSync(worker, 'utf8').replace(oldBuild, 'vardenholt-newbuild'));
    const index = path.join(copy, 'index.html');
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('<title>', '<title>New: '));
    await page.goto(base);
    assert.match(await page.title(), /^New: /, 'the next visit plays the new build');
    await waitFor('the new build kept and the old one dropped', async () =>
      (await cacheNames()) === 'vardenholt-newbuild');
    const home = freshHome();
    terminalScreen(codes(' S.n'), home);
    const savedGame = fs.readFileSync(path.join(home, '.vh', 'vardenholt.sav'));
    await page.keyboard.press('Space');
    await expectScreen(page, terminalScreen([32], freshHome(savedGame)),
                       'the game saved before the update, after it');
  } finally {
    await browser.close();
    server.kill();
  }
}

// The native replay's screen of a recording at a moment, or at its end.
function replayedScreen(recording, moment) {
  const result = childProcess.spawnSync(screenDump, ['--replay', recording, ...(moment === undefined ? [] : [String(moment)])],
                                        {encoding: 'utf8', maxBuffer: 1 << 24});
  assert.equal(result.status, 0, `${screenDump} --replay failed: ${result.stderr}`);
  return JSON.parse(result.stdout);
}

// What the native program's --verify says of a recording or a link.
function verified(recording) {
  const result = childProcess.spawnSync(game, ['--verify', recording],
                                        {encoding: 'utf8', env: {...process.env, HOME: freshHome()}});
  return {status: result.status, line: result.stdout.trim()};
}

const linkOf = (base, bytes) => `${base}#replay=${zlib.deflateRawSync(bytes).toString('base64url')}`;
const watchState = (page) => page.evaluate(() => UTF8ToString(_vh_watch_state()))
  .then((text) => {
    const [moment, last, turn, lastTurn, area, ending] = text.split(' ').map(Number);
    return {moment, last, turn, lastTurn, area, ending};
  });

// A game given as a link, made by the native program, plays back in the page: paused, stepped,
// jumped an area, dragged along its progress bar and run to its end, each screen the native
// replay's at that key, and nothing of it stored. A damaged recording or link is refused with the
// line the program gives; and a game played in the page is shared as a link that gives back its
// recording byte for byte and verifies in the program.
async function watchedFromLinks(base) {
  const browser = await launch(path.join(temporary, 'watching-profile'));
  try {
    const recording = path.join(__dirname, '..', 'data', 'long-game.vhr');
    const text = fs.readFileSync(recording);
    const page = await openPage(browser, linkOf(base, text));
    await waitFor('the link playing', async () =>
      /^Turn \d+\/1001/.test(await page.$eval('#watch-status', (line) => line.textContent)));
    await page.keyboard.press('Space');
    const expectMoment = async (what) => {
      const {moment} = await watchState(page);
      await expectScreen(page, replayedScreen(recording, moment), `${what} (key ${moment})`);
      return moment;
    };
    const paused = await expectMoment('a link paused');
    await page.keyboard.press('.');
    assert.equal(await expectMoment('a link stepped forward'), paused + 1);
    await page.keyboard.press('ArrowLeft');
    assert.equal(await expectMoment('a link stepped back'), paused);
    await page.keyboard.press('n');
    const area = await expectMoment('a link jumped to the next area');
    assert.notEqual(replayedScreen(recording, area).rows[0].slice(60),
                    replayedScreen(recording, area - 1).rows[0].slice(60), 'a new area begins there');
    const bar = await (await page.$('#progress')).boundingBox();
    await page.mouse.click(bar.x + bar.width * 0.75, bar.y + bar.height / 2);
    const dragged = await expectMoment('a link dragged along its progress bar');
    const {last} = await watchState(page);
    assert.ok(Math.abs(dragged - 0.75 * last) < last * 0.05, `the bar took the replay to ${dragged} of ${last}`);
    await page.keyboard.press('g');
    await page.keyboard.type('99999');
    await page.keyboard.press('Enter');
    await expectScreen(page, replayedScreen(recording), 'a link gone to its end');
    assert.match(await page.$eval('#watch-status', (line) => line.textContent), /The recording is over\.$/);
    assert.deepEqual(await page.evaluate(async () => (await indexedDB.databases()).length), 0,
                     'watching stored nothing');
    log('a game given as a link watched in the page');

    // A damaged recording, and a link cut short, say what the program says of them.
    const damaged = Buffer.concat([text.subarray(0, text.indexOf('saved-game')),
                                   Buffer.from('saved-game 24\n[372]I\x1b]0;owned\x07\x1b[2J\x1b[5m\nhigh-score none\nkeys\n120\n')]);
    const damagedFile = path.join(temporary, 'damaged.vhr');
    fs.writeFileSync(damagedFile, damaged);
    const cut = linkOf(base, text).slice(0, 300);
    for (const [what, link, expected] of [['a damaged recording', linkOf(base, damaged), verified(damagedFile)],
                                          ['a link cut short', cut, verified(cut)]]) {
      assert.equal(expected.status, 1);
      await page.goto('about:blank');
      await page.goto(link);
      await waitFor(`the line that refuses ${what}: ${expected.line}`, async () =>
        (await status(page)) === expected.line);
      log(`${what} refused with the program's line: ${expected.line}`);
    }

    // Shared from the page: the link holds the recording the page kept, byte for byte.
    await page.goto(`${base}?seed=${Seed}`);
    await expectScreen(page, terminalScreen([]), 'the instructions before a game to share');
    for (const key of ['Space', 'l', 'S', '.']) await page.keyboard.press(key);
    await waitFor('the question after the game to share', async () =>
      /Continue play\? \[Y\/n\]/.test(await screenRow(page, QuestionRow)));
    await page.keyboard.press('n');
    await waitFor('the game to share ended', async () => /The game has ended/.test(await status(page)));
    await page.click('#recordings summary');
    const listed = await waitFor('the game listed', () =>
      page.evaluate(() => document.querySelector('#recordings li:nth-child(2)')?.textContent));
    assert.match(listed, /^\d{8}-\d{6}-\d+-1 +\d{4}-\d\d-\d\d \d\d:\d\d 42 +saved +1 +0 +2 watch share$/,
                 `the list tells each game as --recordings does: ${listed}`);
    await page.click('#share');
    const shared = await waitFor('the link shown', () =>
      page.evaluate(() => document.querySelector('#status input.link')?.value));
    // The recordings the page keeps, in the game's folder under the page's home.
    const kept = Buffer.from(await page.evaluate(() => {
      const home = '/home/' + FS.readdir('/home').find((name) => !name.startsWith('.'));
      const folder = home + '/.vh/recordings/';
      const newest = FS.readdir(folder).filter((name) => name.endsWith('.vhr')).sort().pop();
      return Array.from(FS.readFile(folder + newest));
    }));
    const fragment = shared.slice(shared.indexOf('#replay=') + '#replay='.length);
    const decoded = zlib.inflateRawSync(Buffer.from(fragment, 'base64url'));
    assert.ok(decoded.equals(kept), 'the link gives back the recording the page kept, byte for byte');
    const verdict = verified(shared);
    assert.equal(verdict.status, 0, `the shared link did not verify: ${verdict.line}`);
    assert.match(decoded.toString('latin1'), /^vardenholt-recording 1\n[^]*\nresult ending=saved /);
    log(`a game shared from the page as a link of ${shared.length} characters, verified`);
  } finally {
    await browser.close();
  }
}

// ?daily plays the game of the day under the page's clock: the seed of its date in UTC, as the
// program's --daily does, and the address drops it once the game has begun.
async function dailyGame(base) {
  const browser = await launch(path.join(temporary, 'daily-profile'));
  try {
    const page = await browser.newPage();
    await page.setViewport(Viewport);
    await page.evaluateOnNewDocument(() => {
      const noon = Date.UTC(2026, 11, 8, 12);  // 2026-12-08 at noon, UTC
      const started = performance.now();
      Date.now = () => Math.floor(noon + performance.now() - started);
    });
    await page.goto(`${base}?daily`);
    await page.waitForFunction(() => typeof _vh_waiting === 'function' && _vh_waiting() === 0);
    await page.keyboard.press('Space');
    const result = childProcess.spawnSync(screenDump, ['20261208', '32'],
                                          {env: {...process.env, HOME: freshHome()}, encoding: 'utf8'});
    await expectScreen(page, JSON.parse(result.stdout), 'the game of the day, 2026-12-08');
    assert.equal(await page.evaluate(() => location.search), '', 'the address keeps no ?daily');
  } finally {
    await browser.close();
  }
}

// A page opened from a file, which cannot load the game, says in one line how to serve it.
async function openedFromAFile(browser) {
  const page = await openPage(browser, `file://${path.join(pageDir, 'index.html')}`);
  await waitFor('the line that says how to serve the page', async () =>
    (await status(page)).includes(`python3 -m http.server -d ${pageDir}/`));
  await page.close();
}

// Where the site's data is blocked, the browser lends the page neither locks nor storage: the
// page plays all the same, and says that nothing will be kept.
async function siteDataBlocked(base) {
  const profile = path.join(temporary, 'blocked-profile');
  fs.mkdirSync(path.join(profile, 'Default'), {recursive: true});
  fs.writeFileSync(path.join(profile, 'Default', 'Preferences'),
                   JSON.stringify({profile: {default_content_setting_values: {cookies: 2}}}));
  const browser = await launch(profile);
  try {
    const page = await openPage(browser, `${base}?seed=${Seed}`);
    assert.equal(await page.evaluate(() => navigator.locks.request('probe', () => {})
      .then(() => 'granted', (error) => error.name)), 'SecurityError',
                 'the profile does not block the site\'s data');
    await expectScreen(page, terminalScreen([]), 'the instructions with site data blocked');
    await waitFor('the line that nothing is kept', async () =>
      /nothing of the game will be kept after the page closes/.test(await status(page)));
    const keys = codes(' S.');
    for (const key of ['Space', 'S', '.']) await page.keyboard.press(key);
    await expectScreen(page, terminalScreen(keys), 'a save with site data blocked');
    log('with site data blocked the page plays, and says that nothing is kept');
  } finally {
    await browser.close();
  }
}

function report(figures, measured) {
  const kb = (bytes) => `${(bytes / 1024).toFixed(0)} KB`;
  const latencies = figures.keyLatencies;
  const lines = [
    `page: ${figures.sizes.files.map((f) => `${f.name} ${kb(f.bytes)} (${kb(f.compressed)})`)
      .join(', ')}; in all ${kb(figures.sizes.bytes)}, ${kb(figures.sizes.compressed)} compressed`,
    `first screen: ${figures.coldLoad.opened.toFixed(0)} ms after the page was opened ` +
      `(${figures.coldLoad.arrived.toFixed(0)} ms after its HTML arrived), ` +
      `${figures.warmLoad.opened.toFixed(0)} ms when reloaded ` +
      `(${figures.warmLoad.arrived.toFixed(0)} ms)`,
    `a key to the screen drawn: median ${median(latencies).toFixed(1)} ms, ` +
      `slowest ${Math.max(...latencies).toFixed(1)} ms over ${latencies.length} steps`,
    ...measured.map(({size, character, button}) => `${size}: the smallest character ` +
      `${character.map((v) => v.toFixed(1)).join('x')}, the smallest button ` +
      `${button.map((v) => v.toFixed(0)).join('x')} CSS pixels`),
  ];
  fs.writeFileSync(path.join(out, 'figures.txt'), lines.join('\n') + '\n');
  lines.forEach((line) => console.log(`browser: ${line}`));
}

function launch(userDataDir) {
  return puppeteer.launch({
    executablePath: chromium,
    headless: true,
    userDataDir,
    // As root, and on a machine whose network is closed, Chromium needs these to start and to
    // stay quiet.
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

(async () => {
  const {server, base} = await startServer();
  const browser = await launch(path.join(temporary, 'profile'));
  let failed = false;
  try {
    const figures = await run(browser, base);
    await storageFull(browser, base);
    await installableAndOffline(base);
    const measured = await tapsAndClicks(base);
    await updated();
    await openedFromAFile(browser);
    await watchedFromLinks(base);
    await dailyGame(base);
    await siteDataBlocked(base);
    assert.deepEqual(pageErrors, [], 'the page threw');
    report(figures, measured);
    console.log(`browser: passed; screenshots in ${out}`);
  } catch (error) {
    failed = true;
    console.error(`FAIL: browser: ${error.stack || error}`);
    console.error(`--- ${logFile} ---\n${fs.readFileSync(logFile, 'utf8')}`);
  } finally {
    await browser.close();
    server.kill();
    fs.rmSync(temporary, {recursive: true, force: true});
  }
  process.exit(failed ? 1 : 0);
})();
