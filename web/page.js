// The page around the game: it draws the game's screen, hands it the keyboard, keeps its files in
// the browser's storage, and lets the player take the files away and bring a saved game back.
// Built into the game's script, ahead of the code that runs the game.
(() => {
  'use strict';
  const Columns = 80;
  const Rows = 24;
  const LineHeight = 1.2;  // as the style sheet sets it

  const screen = document.getElementById('screen');
  const view = screen.parentElement;
  const compact = document.getElementById('compact');
  const statusLine = document.getElementById('status');
  // Where the game draws the parts of its screen, once it has started.
  let layout = null;

  // The page says one thing at a time; errors stand out.
  function say(text, isError) {
    statusLine.textContent = '';
    const line = document.createElement('span');
    line.textContent = text;
    if (isError) line.className = 'error';
    statusLine.append(line);
    return line;
  }

  // Whatever the game prints, it prints as the program does when it leaves the terminal.
  Module.print = (text) => say(text, false);
  Module.printErr = (text) => say(text, true);
  Module.onAbort = (what) => say('The game stopped: ' + what, true);
  Module.onRuntimeInitialized = () => {
    say('');
    const [mapColumns, mapRows, panelColumn, controlsRow, firstMessageRow] =
        UTF8ToString(_vh_layout()).split(' ').map(Number);
    layout = {mapColumns, mapRows, panelColumn, controlsRow, firstMessageRow};
    addLetterButtons();
    addPad();
    fit();
    if (watching) startWatching();
  };

  // A page opened from a file cannot load the game's WebAssembly: say how to serve it instead,
  // and never start the game.
  if (location.protocol === 'file:') {
    Module.instantiateWasm = () => {
      const folder = decodeURIComponent(location.pathname.replace(/[^/]*$/, ''));
      say(`Serve this folder to play: python3 -m http.server -d ${folder}, then open ` +
          'http://localhost:8000/', true);
      return {};
    };
  } else if ('serviceWorker' in navigator) {
    // After one visit the page plays offline, and the browser offers to install it.
    navigator.serviceWorker.register('service-worker.js').catch((error) =>
      console.warn('The page will not play offline: ' + error.message));
  }

  // ?seed=N is the command line's --seed N, and ?daily its --daily.
  const query = new URLSearchParams(location.search);
  const seed = query.get('seed');
  const daily = query.has('daily');
  Module.arguments = daily ? ['--daily'] : seed === null ? [] : ['--seed', seed];

  // A game given as a link holds its whole recording in the address's fragment, raw deflate in
  // base64url. Such a page watches the game rather than play one: it takes no lock and keeps
  // no files.
  const LinkMarker = '#replay=';
  const watching = location.hash.startsWith(LinkMarker);
  const MaxRecordingSize = 64 * 1024 * 1024;  // as the game reads at most
  const invalidLink = (why) => new Error('260: Invalid link: ' + why);

  function toBase64Url(bytes) {
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) {
      text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    }
    return btoa(text).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  }

  function fromBase64Url(text) {
    const bare = text.replace(/=+$/, '');
    if (!/^[A-Za-z0-9_-]*$/.test(bare)) throw invalidLink('it holds a character that base64url has not');
    if (bare.length % 4 === 1) throw invalidLink('it is cut short');
    return Uint8Array.from(atob(bare.replace(/-/g, '+').replace(/_/g, '/')), (c) => c.charCodeAt(0));
  }

  // The bytes through a compression stream, stopping at a recording's largest size.
  async function through(bytes, stream) {
    const reader = new Blob([bytes]).stream().pipeThrough(stream).getReader();
    const pieces = [];
    let size = 0;
    for (;;) {
      const {done, value} = await reader.read();
      if (done) break;
      size += value.length;
      if (size > MaxRecordingSize) {
        reader.cancel();
        throw invalidLink('it holds more than a recording may');
      }
      pieces.push(value);
    }
    const joined = new Uint8Array(size);
    let at = 0;
    for (const piece of pieces) {
      joined.set(piece, at);
      at += piece.length;
    }
    return joined;
  }

  async function linkOf(recording) {
    const packed = await through(recording, new CompressionStream('deflate-raw'));
    return location.origin + location.pathname + LinkMarker + toBase64Url(packed);
  }

  async function recordingOfLink(hash) {
    const encoded = hash.slice(LinkMarker.length).split('&')[0];
    const packed = fromBase64Url(encoded);
    try {
      return await through(packed, new DecompressionStream('deflate-raw'));
    } catch (error) {
      if (error.message.startsWith('260:')) throw error;
      throw invalidLink('its recording is damaged or cut short');
    }
  }

  // The screen: one element per cell, drawn again only where a cell changed.
  const cells = [];
  for (let row = 0; row < Rows; ++row) {
    const line = document.createElement('div');
    for (let column = 0; column < Columns; ++column) {
      const cell = document.createElement('span');
      cell.textContent = ' ';
      line.append(cell);
      cells.push(cell);
    }
    screen.append(line);
  }
  const drawn = new Uint32Array(Columns * Rows).fill(0xffffffff);

  // A cell's look from the game's packing: the character in bits 0 to 7, its colour among the
  // sixteen in bits 8 to 11, then bold, underline and reverse.
  function styleOf(packed) {
    let style = 'c' + ((packed >> 8) & 15);
    if (packed & (1 << 12)) style += ' b';
    if (packed & (1 << 13)) style += ' u';
    if (packed & (1 << 14)) style += ' r';
    return style;
  }

  Module.vhDraw = (packed) => {
    for (let i = 0; i < packed.length; ++i) {
      const now = packed[i];
      const before = drawn[i];
      if (now === before) continue;
      if ((now & 0xff) !== (before & 0xff)) cells[i].textContent = String.fromCharCode(now & 0xff);
      if ((now & ~0xff) !== (before & ~0xff)) cells[i].className = styleOf(now);
    }
    drawn.set(packed);
    follow();
  };

  // The screen takes the largest font that fits it whole in the window, unless that makes its
  // characters too small to read on a screen held upright: then the page follows the King across
  // the map at a readable size (or shows the whole screen when asked).
  const Readable = {width: 9, height: 16};
  const upright = matchMedia('(orientation: portrait)');
  let wholeAsked = false;
  let following = false;
  let cellWidth = 0;

  function fit() {
    const size = parseFloat(screen.style.fontSize || '16');
    const widthPerSize = cells[0].getBoundingClientRect().width / size;
    const readable = Math.ceil(2 * Math.max(Readable.width / widthPerSize,
                                            Readable.height / LineHeight)) / 2;
    const width = document.documentElement.clientWidth;
    const followable = upright.matches && width < Columns * widthPerSize * readable;
    following = followable && !wholeAsked;
    document.body.classList.toggle('follow', following);
    wholeButton.hidden = !followable;
    wholeButton.textContent = following ? 'Whole screen' : 'Follow the King';
    let fitting;
    if (following) {
      fitting = Math.max(readable, Math.floor(2 * width / (mapColumns() * widthPerSize)) / 2);
    } else {
      view.style.height = '';
      fitting = Math.max(4, Math.floor(2 * Math.min(
          view.clientWidth / (Columns * widthPerSize),
          view.clientHeight / (Rows * LineHeight))) / 2);
    }
    screen.style.fontSize = fitting + 'px';
    cellWidth = widthPerSize * fitting;
    showingMap = null;
    follow();
  }
  window.addEventListener('resize', fit);

  const mapColumns = () => layout ? layout.mapColumns : Columns;

  // Following the King: the map's rows around him while the screen shows the map, with the
  // messages, the area and the captures beneath; the other screens whole, to scroll across.
  let showingMap = null;
  function follow() {
    if (!following) return;
    const kingColumn = running && layout ? _vh_king_column() : -1;
    const onMap = kingColumn >= 0;
    if (onMap !== showingMap) {
      showingMap = onMap;
      compact.hidden = !onMap;
      const rowHeight = cells[Columns].offsetTop - cells[0].offsetTop;
      view.style.height = (onMap ? layout.mapRows : Rows) * rowHeight + 'px';
      if (!onMap) view.scrollLeft = 0;
    }
    if (!onMap) return;
    const widest = mapColumns() * cellWidth - view.clientWidth;
    view.scrollLeft = Math.max(0, Math.min(widest, (kingColumn + 0.5) * cellWidth -
                                                   view.clientWidth / 2));
    drawCompact();
  }

  // The runs of one look among the cells of a row, as spans, with the row's trailing spaces
  // left out and, for the panel, each run of spaces as one.
  function spansOf(row, from, to, squeeze) {
    const spans = [];
    let end = to;
    while (end > from && (drawn[row * Columns + end - 1] & 0xff) === 32) --end;
    for (let column = from; column < end;) {
      const look = drawn[row * Columns + column] & ~0xff;
      let text = '';
      while (column < end && (drawn[row * Columns + column] & ~0xff) === look) {
        text += String.fromCharCode(drawn[row * Columns + column++] & 0xff);
      }
      if (squeeze) text = text.replace(/ +/g, ' ');
      spans.push(Object.assign(document.createElement('span'),
                               {className: styleOf(look), textContent: text}));
    }
    return spans;
  }

  const rowText = (row, from, to) =>
    Array.from(drawn.subarray(row * Columns + from, row * Columns + to),
               (packed) => String.fromCharCode(packed & 0xff)).join('').trim();

  // The panel's lines above the keypad, but for its underlines, side by side; then the message
  // lines, wrapped, down to the last that says something.
  function drawCompact() {
    const panel = [];
    for (let row = 0; row < layout.controlsRow; ++row) {
      const text = rowText(row, layout.panelColumn, Columns);
      if (text === '' || /^-+$/.test(text)) continue;
      const item = document.createElement('span');
      item.append(...spansOf(row, layout.panelColumn, Columns, true));
      panel.push(item);
    }
    const messages = [];
    for (let row = layout.firstMessageRow; row < Rows; ++row) {
      const line = document.createElement('div');
      line.append(...spansOf(row, 0, Columns, false));
      messages.push(line);
    }
    while (messages.length > 0 && messages[messages.length - 1].textContent === '') messages.pop();
    compact.querySelector('.panel').replaceChildren(...panel);
    compact.querySelector('.messages').replaceChildren(...messages);
  }

  // Keys: the game says which key presses are its own; those the browser does not see, Tab
  // included, as a terminal passes it on. Each goes to the game as it comes; while a save is being
  // stored, keys wait their turn, as a terminal keeps them. A control of the page that was
  // clicked, and so has the focus, keeps the keys it acts on, so that Tab goes on from it through
  // the controls and back to the screen.
  let running = false;
  let leaving = false;  // the page is going away
  let storing = false;  // the game waits for its save to be stored
  const typed = [];

  // What the game wants after each thing it is given, and how a copy of its files went.
  const WantsWrite = 1;
  const Ended = 2;
  const Copied = 0;
  const StorageFull = 1;
  const CopyFailed = 2;

  // The files are kept each time the game waits for a key; a save, before the game goes on.
  function answered(answer) {
    if (answer === Ended) return;
    if (answer === WantsWrite) {
      storing = true;
      keepFiles((error) => {
        storing = false;
        if (leaving) return;
        const copy = !error ? Copied : error.name === 'QuotaExceededError' ? StorageFull :
                                                                              CopyFailed;
        answered(_vh_written(copy));
      });
      return;
    }
    keepFiles();
    if (typed.length > 0) {
      press(typed.shift());
    } else {
      showChoices();
    }
  }

  function press(code) {
    if (!running) return;
    if (storing) {
      typed.push(code);
      return;
    }
    answered(_vh_key(code));
  }

  function withText(text, use) {
    const size = lengthBytesUTF8(text) + 1;
    const address = _malloc(size);
    stringToUTF8(text, address, size);
    try {
      return use(address);
    } finally {
      _free(address);
    }
  }

  function gameKey(event) {
    const modifiers = (event.ctrlKey ? 1 : 0) | (event.altKey ? 2 : 0) | (event.metaKey ? 4 : 0) |
                      (event.getModifierState('AltGraph') ? 8 : 0);
    return withText(event.key || '', (key) => withText(event.code || '',
        (code) => _vh_key_code(key, code, modifiers)));
  }

  const ControlKeys = new Set(['Tab', 'Enter', ' ']);
  const controlHasFocus = () => {
    const focus = document.activeElement;
    return focus !== null && focus !== screen && focus !== document.body;
  };

  window.addEventListener('keydown', (event) => {
    if (watching) {
      watchKey(event);
      return;
    }
    if (!running || event.isComposing) return;
    if (controlHasFocus() && ControlKeys.has(event.key)) return;
    const code = gameKey(event);
    if (code < 0) return;
    event.preventDefault();
    press(code);
  });

  // Taps and clicks. A tap on a map cell that an open move of the King reaches makes that move
  // (the first in the key table, which one key press gives), on the King waits, on a key of the
  // keypad presses it; where the game waits for any key, a tap anywhere is one. The questions get
  // two buttons, and the commands buttons of their own, which never take the keyboard's focus.
  // Where the run waits, as the game numbers the places (its Waiting).
  const Waiting = {Instructions: 0, Move: 1, Help: 2, AreaEnd: 3, Question: 4, ErrorLine: 5};
  const AnyKey = 32;

  function openMoves() {
    return UTF8ToString(_vh_open_moves()).split('\n').filter(Boolean).map((line) => {
      const [key, column, row, colour] = line.split(' ').map(Number);
      return {key, column, row, colour};
    });
  }

  function cellAt(event) {
    const first = cells[0].getBoundingClientRect();
    const last = cells[cells.length - 1].getBoundingClientRect();
    const column = Math.floor((event.clientX - first.left) * Columns / (last.right - first.left));
    const row = Math.floor((event.clientY - first.top) * Rows / (last.bottom - first.top));
    return column >= 0 && column < Columns && row >= 0 && row < Rows ? {column, row} : null;
  }

  function keyForCell(cell) {
    const waiting = _vh_waiting();
    if (waiting === Waiting.Move) {
      const move = openMoves().find((open) => open.column === cell.column && open.row === cell.row);
      if (move) return move.key;
      const key = _vh_keypad_key(cell.column, cell.row);
      return key >= 0 ? key : null;
    }
    const anyKey = [Waiting.Instructions, Waiting.Help, Waiting.AreaEnd, Waiting.ErrorLine];
    return anyKey.includes(waiting) ? AnyKey : null;
  }

  // A tap is where the pointer went down, read from the pointer itself: the browser's click may
  // be moved to a neighbouring cell to help a finger, which would be another move. A pointer that
  // went down and moved on is a drag, not a tap.
  // While a finger is down, the cells that open moves reach are outlined, as under the mouse.
  let down = null;
  let pressing = false;
  screen.addEventListener('pointerdown', (event) => {
    down = event.isPrimary && event.button === 0 ? {x: event.clientX, y: event.clientY} : null;
    pressing = down !== null && event.pointerType !== 'mouse';
    if (pressing) outlineReach();
  });
  // The browser takes a finger that moves on for scrolling.
  screen.addEventListener('pointercancel', () => {
    down = null;
    pressing = false;
    outlineReach();
  });
  screen.addEventListener('pointerup', (event) => {
    const start = down;
    down = null;
    if (pressing) {
      pressing = false;
      outlineReach();
    }
    if (!running || !start || Math.hypot(event.clientX - start.x, event.clientY - start.y) > 10) {
      return;
    }
    const cell = cellAt({clientX: start.x, clientY: start.y});
    const key = cell && keyForCell(cell);
    if (key !== null) press(key);
  });

  // The colours of the terminal, as the style sheet has them.
  const palette = Array.from({length: 16}, (_, number) => {
    const probe = document.createElement('span');
    probe.className = 'c' + number;
    screen.append(probe);
    const colour = getComputedStyle(probe).getPropertyValue('--fg').trim();
    probe.remove();
    return colour;
  });

  // While the mouse is over the screen or a finger on it, the cells that open moves reach are
  // outlined in the keypad's colours of their moves.
  let pointerOver = false;
  let outlined = [];
  function outlineReach() {
    for (const cell of outlined) cell.style.boxShadow = '';
    outlined = [];
    if (!(pointerOver || pressing) || !running) return;
    for (const move of openMoves()) {
      const cell = cells[move.row * Columns + move.column];
      cell.style.boxShadow = `inset 0 0 0 2px ${palette[move.colour]}`;
      outlined.push(cell);
    }
  }
  screen.addEventListener('pointerenter', (event) => {
    pointerOver = event.pointerType === 'mouse';
    outlineReach();
  });
  screen.addEventListener('pointerleave', () => {
    pointerOver = false;
    outlineReach();
  });

  // Buttons that press a key: they keep the focus on the screen, so the keyboard goes on
  // working, and the moves among them show the colour of what they do now.
  const commands = document.getElementById('commands');
  const answers = document.getElementById('answers');
  const moveButtons = [];
  function pageButton(label, title, into, action) {
    const button = Object.assign(document.createElement('button'),
                                 {type: 'button', textContent: label, title, tabIndex: -1});
    button.addEventListener('pointerdown', (event) => event.preventDefault());
    button.addEventListener('click', () => {
      action();
      screen.focus();
    });
    into.append(button);
    return button;
  }
  const keyButton = (label, key, title, into) => pageButton(label, title, into, () => press(key));
  const moveButton = (key, into) => {
    const letter = String.fromCharCode(key);
    const button = keyButton(letter, key, `The move of key ${letter}`, into);
    button.classList.add('move');
    moveButtons.push(button);
    return button;
  };
  keyButton('Help', '?'.charCodeAt(0), 'Every key (?)', commands);
  keyButton('Redraw', 'r'.charCodeAt(0), 'Draw the screen again (r)', commands);
  keyButton('Save', 'S'.charCodeAt(0), 'Save and leave after this turn (S)', commands);
  const wholeButton = pageButton('Whole screen', 'The whole screen, or the map around the King',
                                 commands, () => {
                                   wholeAsked = following;
                                   fit();
                                 });
  // Without a keyboard, the moves the keypad names by letter only: the knight's jumps and the
  // two-cell moves, which the game names once it has started.
  function addLetterButtons() {
    if (!matchMedia('(hover: none)').matches) return;
    for (const letter of UTF8ToString(_vh_letter_moves())) {
      moveButton(letter.charCodeAt(0), document.getElementById('letters'));
    }
  }
  // Where the page follows the King, the side panel's keypad is out of sight: the page shows every
  // move key where the panel does, around the King's own key.
  function addPad() {
    const pad = document.getElementById('pad');
    for (const line of UTF8ToString(_vh_pad_keys()).split('\n').filter(Boolean)) {
      const [key, dx, dy] = line.split(' ').map(Number);
      const button = moveButton(key, pad);
      button.style.gridArea = `${dy + 3} / ${dx + 3}`;
    }
  }
  fit();
  keyButton('Yes', 'y'.charCodeAt(0), 'y', answers).classList.add('answer');
  keyButton('No', 'n'.charCodeAt(0), 'n', answers).classList.add('answer');

  // After each step: the buttons the place the game waits in needs, and the outlines.
  function showChoices() {
    const waiting = running ? _vh_waiting() : -1;
    answers.hidden = waiting !== Waiting.Question;
    const open = new Map(openMoves().map((move) => [move.key, move.colour]));
    for (const button of moveButtons) {
      const colour = open.get(button.textContent.charCodeAt(0));
      button.disabled = colour === undefined;
      button.style.color = colour === undefined ? '' : palette[colour];
    }
    outlineReach();
    follow();
  }

  // The files: the game's folder in the browser's storage, copied there from memory each time
  // the game waits for a key and when the run ends. Copying takes the browser a moment, which a
  // page that is going away does not have: what changed since the last copy then goes to the
  // page's small synchronous storage, and into the folder when the page is opened again.
  const Unsaved = 'vardenholt-files-not-yet-kept';
  let home = null;
  let storageWorks = true;
  let unsavedRestored = false;  // the folder holds files that only the synchronous storage kept
  let syncing = false;
  let kept = new Map();  // the time each file was last written, as the last copy found them
  let duringSync = [];  // what waits for the copy in progress
  const afterSync = [];  // what waits for the next one

  // Each callback is given the copy's failure, or null once the files are kept. A copy that
  // fails keeps nothing: the next one tries again with everything that changed since the last
  // one that worked.
  function keepFiles(then) {
    afterSync.push(then || (() => {}));
    if (!syncing) sync();
  }

  function sync() {
    syncing = true;
    duringSync = afterSync.splice(0);
    const found = writeTimes();
    const done = (error) => {
      syncing = false;
      if (!error) kept = found;
      noteCopy(error);
      duringSync.splice(0).forEach((callback) => callback(error));
      if (afterSync.length > 0) sync();
    };
    if (!storageWorks || home === null) {
      done(null);
      return;
    }
    FS.syncfs(false, (error) => done(error || null));
  }

  // IDBFS misses two failures of the browser's storage: a copy that the browser aborts, as it
  // does when the site's storage is full, never ends, and a request that fails ends the copy as
  // if it had worked. Both end it here, with the browser's error.
  function reportFailedCopies() {
    const reconcile = IDBFS.reconcile;
    IDBFS.reconcile = (src, dst, callback) => {
      let ended = false;
      const end = (error) => {
        if (ended) return;
        ended = true;
        callback(error);
      };
      const db = src.type === 'remote' ? src.db : dst.db;
      db.transaction = function() {
        const transaction = IDBDatabase.prototype.transaction.apply(db, arguments);
        const failed = (event) =>
          end(event.target.error || transaction.error || new Error('the copy was ' + event.type));
        transaction.addEventListener('error', failed);
        transaction.addEventListener('abort', failed);
        return transaction;
      };
      try {
        reconcile(src, dst, end);
      } catch (error) {
        end(error);
      } finally {
        delete db.transaction;
      }
    };
  }

  // A copy that fails is said once, and unsaid when one works again. Files that came back from
  // the synchronous storage are in the folder then, and leave the synchronous storage.
  let copyFailure = null;
  function noteCopy(error) {
    if (error) {
      if (copyFailure === null) {
        copyFailure = say('The browser did not store the game\'s files (' + error + '): the ' +
                          'page tries again as the game goes on.', true);
      }
      return;
    }
    if (copyFailure !== null && copyFailure.isConnected) say('');
    copyFailure = null;
    if (unsavedRestored && storageWorks && home !== null) {
      unsavedRestored = false;
      localStorage.removeItem(Unsaved);
    }
  }

  // A page that is going away does not see its copies end: whatever waits for them goes on.
  function stopWaitingForCopies() {
    duringSync.splice(0).concat(afterSync.splice(0)).forEach((callback) => callback());
  }

  // Where the browser keeps no data for the page, as when the site's data is blocked, the game
  // plays with its files in memory.
  function storageMissing(error) {
    storageWorks = false;
    console.warn('vardenholt: no storage:', error);
    say('This browser keeps no data for this page: nothing of the game will be kept after the ' +
        'page closes.', true);
  }

  function filesUnder(folder) {
    return FS.readdir(folder).filter((name) => name !== '.' && name !== '..').flatMap((name) => {
      const entry = folder + '/' + name;
      const mode = FS.stat(entry).mode;
      if (FS.isDir(mode)) return filesUnder(entry);
      return FS.isFile(mode) ? [entry] : [];
    });
  }

  function writeTimes() {
    const files = home === null ? [] : filesUnder(home);
    return new Map(files.map((file) => [file, FS.stat(file).mtime.getTime()]));
  }

  // Bytes as a string of one character each, which the synchronous storage keeps as it is.
  const asText = (bytes) => Array.from(bytes, (byte) => String.fromCharCode(byte)).join('');
  const asBytes = (text) => Uint8Array.from(text, (character) => character.charCodeAt(0));

  function keepFilesNow() {
    if (!storageWorks || home === null) return;
    const changed =
        filesUnder(home).filter((file) => kept.get(file) !== FS.stat(file).mtime.getTime());
    const files = changed.map((file) => ({file, mode: FS.stat(file).mode,
                                          text: asText(FS.readFile(file))}));
    try {
      localStorage.setItem(Unsaved, JSON.stringify(files));
    } catch (error) {
      // Nothing more can be done as the page goes.
    }
  }

  function restoreUnsaved() {
    const text = localStorage.getItem(Unsaved);
    if (text === null) return false;
    // Written out without destructuring, which the build's script optimiser mangles.
    for (const entry of JSON.parse(text)) {
      let folder = '';
      for (const part of entry.file.split('/').slice(1, -1)) {
        folder += '/' + part;
        if (!FS.analyzePath(folder).exists) FS.mkdir(folder, 0o700);
      }
      FS.writeFile(entry.file, asBytes(entry.text));
      FS.chmod(entry.file, entry.mode);
    }
    return true;
  }

  // What a page that went away left in the synchronous storage goes into the folder, and stays in
  // the synchronous storage until a copy keeps it: the game starts with it either way.
  function openStorage(folder) {
    return new Promise((resolve) => {
      home = folder;
      try {
        reportFailedCopies();
        FS.mount(IDBFS, {}, home);
        FS.syncfs(true, (error) => {
          if (error) storageMissing(error);
          kept = writeTimes();
          if (!storageWorks || !restoreUnsaved()) {
            resolve();
            return;
          }
          unsavedRestored = true;
          keepFiles(() => resolve());
        });
      } catch (error) {
        storageMissing(error);
        resolve();
      }
    });
  }

  // One game per browser, as one per save folder. A page that replaces this one, as a reload
  // does, waits the moment it takes this one to let go. A browser that lends the page no lock,
  // as where the site's data is blocked (SecurityError), keeps nothing for it that two pages
  // could share: the game plays.
  const LockWait = 3000;
  const holdLock = () => new Promise((resolve) => {
    if (!navigator.locks) {
      resolve(1);
      return;
    }
    const giveUp = new AbortController();
    const timer = setTimeout(() => giveUp.abort(), LockWait);
    navigator.locks.request('vardenholt', {signal: giveUp.signal}, () => {
      clearTimeout(timer);
      resolve(1);
      return new Promise(() => {});  // held while the page lives
    }).catch(() => {
      clearTimeout(timer);
      resolve(giveUp.signal.aborted ? 0 : 1);
    });
  });

  // The game starts once the page holds the lock and has opened the storage; without the lock it
  // says why it does not.
  Module.vhBegin = (folder) => {
    if (watching) return;
    holdLock().then((locked) => {
      if (!locked) {
        _vh_start(0);
        return;
      }
      openStorage(folder).then(() => _vh_start(1));
    });
  };

  let savedGame = null;
  let recordings = null;
  let inPlay = false;

  Module.vhUseFiles = (savedGamePath, recordingsPath) => {
    savedGame = savedGamePath;
    recordings = recordingsPath;
    running = true;
    screen.focus();
    showChoices();
  };

  // Once a seeded game or the game of the day has begun, reloading the page goes on with the game
  // rather than asking for a new one.
  Module.vhGameInPlay = (value) => {
    inPlay = value;
    if (value && (seed !== null || daily)) history.replaceState(null, '', location.pathname);
  };

  Module.vhRunEnded = () => {
    running = false;
    showChoices();
    inPlay = false;
    if (leaving) keepFilesNow();
    keepFiles();
    const ended = document.createElement('span');
    ended.textContent = ' The game has ended: reload the page to play again.';
    statusLine.append(ended);
  };

  // A page that goes away hangs up on the game, which saves the game in play as it does when
  // its terminal goes away, at once: the run ends before the page does, also when the game was
  // waiting for a save to be stored. A page brought back from the browser's history starts again.
  window.addEventListener('pagehide', () => {
    if (!running) return;
    leaving = true;
    _vh_hang_up();
    stopWaitingForCopies();
  });
  window.addEventListener('pageshow', (event) => {
    if (event.persisted) location.reload();
  });

  // Taking the files away and bringing a saved game back.
  function download(path, name) {
    const url = URL.createObjectURL(new Blob([FS.readFile(path)],
                                             {type: 'application/octet-stream'}));
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  function exists(path) {
    return path !== null && FS.analyzePath(path).exists;
  }

  document.getElementById('download-save').addEventListener('click', (event) => {
    event.currentTarget.blur();
    if (exists(savedGame)) {
      download(savedGame, savedGame.slice(savedGame.lastIndexOf('/') + 1));
    } else {
      say('There is no saved game: S saves the game in play.');
    }
  });

  const loader = document.querySelector('#load-save input');
  loader.addEventListener('change', async () => {
    const file = loader.files[0];
    loader.value = '';
    if (!file) return;
    if (savedGame === null) {
      say('The game is not ready yet.', true);
      return;
    }
    if (inPlay) {
      say('Save the game in play first (S), then load another.', true);
      return;
    }
    const folder = savedGame.slice(0, savedGame.lastIndexOf('/'));
    if (!FS.analyzePath(folder).exists) FS.mkdir(folder, 0o700);
    FS.writeFile(savedGame, new Uint8Array(await file.arrayBuffer()));
    FS.chmod(savedGame, 0o600);
    say('Loaded ' + file.name + ': the game goes on from it.');
    // The next run begins with it, as the next vardenholt in a terminal would; a seed would
    // refuse it.
    keepFiles(() => location.replace(location.pathname));
  });

  const recordingList = document.querySelector('#recordings ul');
  document.getElementById('recordings').addEventListener('toggle', (event) => {
    if (!event.currentTarget.open) return;
    recordingList.textContent = '';
    // The game's own list, newest first: each name, then when it began, its seed, how it ended,
    // the area, the score and the turns, or why it cannot be read.
    const lines = UTF8ToString(_vh_recordings_table()).split('\n').filter(Boolean);
    if (!lines[0].startsWith('Name ')) {
      recordingList.append(Object.assign(document.createElement('li'),
                                         {textContent: 'None yet: every game records itself.'}));
      return;
    }
    recordingList.append(Object.assign(document.createElement('li'),
                                       {textContent: lines[0], className: 'heading'}));
    for (const line of lines.slice(1)) {
      const stem = line.split(/[ :]/)[0];
      const name = stem + '.vhr';
      const link = Object.assign(document.createElement('a'),
                                 {href: '#', textContent: stem, className: 'download'});
      link.addEventListener('click', (click) => {
        click.preventDefault();
        download(recordings + name, name);
      });
      const item = document.createElement('li');
      item.append(link, line.slice(stem.length));
      addRecordingActions(item, name);
      recordingList.append(item);
    }
  });

  // Watching a game from its link: played at a pace, paused, stepped a key at a time forward and
  // back, jumped an area or to a turn, by the buttons or the terminal's keys, or dragged along
  // its progress bar.
  const watchPanel = document.getElementById('watching');
  const progress = document.getElementById('progress');
  const turnInput = document.getElementById('turn');
  const watchStatus = document.getElementById('watch-status');
  const playPause = document.getElementById('play-pause');
  const Fastest = 25;
  const Slowest = 3200;
  let pace = 200;
  let playing = true;
  let paceTimer = null;
  let watchedLink = null;

  function watchState() {
    const [moment, last, turn, lastTurn, area, ending] =
        UTF8ToString(_vh_watch_state()).split(' ').map(Number);
    return {moment, last, turn, lastTurn, area, ending};
  }

  const Endings = ['', 'The recording is over.', 'The recording stops here.',
                   'The recording cannot be replayed further: '];

  function showWatched() {
    const state = watchState();
    progress.max = state.last;
    progress.value = state.moment;
    playPause.textContent = playing ? 'Pause' : 'Play';
    watchStatus.textContent = `Turn ${state.turn}/${state.lastTurn}  Area ${state.area}  ` +
                              `Pace ${pace} ms  ${playing ? 'Playing' : 'Paused'}`;
    if (state.ending > 0) {
      const end = Object.assign(document.createElement('span'), {textContent: ' ' + Endings[state.ending]});
      if (state.ending === 3) {
        end.className = 'error';
        end.textContent += UTF8ToString(_vh_watch_error());
      }
      watchStatus.append(end);
    }
    clearTimeout(paceTimer);
    if (playing && state.moment < state.last) {
      paceTimer = setTimeout(() => watchTo(state.moment + 1), pace);
    }
  }

  function watchTo(moment) {
    _vh_watch_seek(moment);
    showWatched();
  }

  const WatchKeys = {
    ' ': () => { playing = !playing; showWatched(); },
    '.': () => { playing = false; watchTo(watchState().moment + 1); },
    'ArrowRight': () => WatchKeys['.'](),
    'ArrowLeft': () => { playing = false; watchTo(Math.max(0, watchState().moment - 1)); },
    'n': () => watchTo(_vh_watch_area(1)),
    'p': () => watchTo(_vh_watch_area(-1)),
    'g': () => turnInput.focus(),
    '+': () => { pace = Math.max(Fastest, pace / 2); showWatched(); },
    '-': () => { pace = Math.min(Slowest, pace * 2); showWatched(); },
    'q': () => location.assign(location.pathname),
  };

  function watchKey(event) {
    if (event.target === turnInput || event.ctrlKey || event.altKey || event.metaKey) return;
    const act = WatchKeys[event.key];
    if (!act || _vh_watch_state === undefined) return;
    event.preventDefault();
    act();
  }

  for (const button of watchPanel.querySelectorAll('button[data-key]')) {
    button.addEventListener('click', () => WatchKeys[button.dataset.key]());
  }
  progress.addEventListener('input', () => {
    playing = false;
    watchTo(Number(progress.value));
  });
  turnInput.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' && turnInput.value !== '') {
      watchTo(_vh_watch_turn(Number(turnInput.value)));
      screen.focus();
    } else if (event.key === 'Escape') {
      screen.focus();
    }
  });

  // Watching on the page reads nothing and writes nothing of the page's files.
  async function startWatching() {
    document.body.classList.add('watching');
    watchPanel.hidden = false;
    fit();
    say('');
    let recording;
    try {
      recording = await recordingOfLink(location.hash);
    } catch (error) {
      say(error.message, true);
      return;
    }
    const address = _malloc(recording.length || 1);
    HEAPU8.set(recording, address);
    const failure = UTF8ToString(_vh_watch(address, recording.length));
    _free(address);
    if (failure !== '') {
      say(failure, true);
      return;
    }
    watchedLink = location.href;
    screen.focus();
    showWatched();
  }
  window.addEventListener('hashchange', () => location.reload());

  // A link to a game, to send: copied where the browser lets the page, and shown to copy by hand.
  async function share(recording) {
    const link = await linkOf(recording);
    const shown = Object.assign(document.createElement('input'),
                                {readOnly: true, value: link, className: 'link', size: 40});
    say(`A link to this game, ${link.length} characters: `).append(shown);
    shown.select();
    try {
      await navigator.clipboard.writeText(link);
      shown.after(' (copied)');
    } catch (error) {
      // The browser keeps its clipboard to itself: the link is there to copy.
    }
    return link;
  }

  document.getElementById('share-watched').addEventListener('click', async () => {
    if (watchedLink === null) return;
    const shown = Object.assign(document.createElement('input'),
                                {readOnly: true, value: watchedLink, className: 'link', size: 40});
    say('The link to this game: ').append(shown);
    shown.select();
    try {
      await navigator.clipboard.writeText(watchedLink);
    } catch (error) {
      // As above: the link is there to copy.
    }
  });

  const newestRecording = () => exists(recordings) ?
      FS.readdir(recordings).filter((name) => name.endsWith('.vhr')).sort().reverse()[0] : undefined;

  document.getElementById('share').addEventListener('click', (event) => {
    event.currentTarget.blur();
    const newest = newestRecording();
    if (newest === undefined) {
      say('There is no game to share yet: every game records itself as it is played.');
      return;
    }
    share(FS.readFile(recordings + newest));
  });

  // A recording from a file, watched in a page of its own while the game here goes on.
  const watchFile = document.querySelector('#watch-file input');
  watchFile.addEventListener('change', async () => {
    const file = watchFile.files[0];
    watchFile.value = '';
    if (!file) return;
    window.open(await linkOf(new Uint8Array(await file.arrayBuffer())), '_blank');
  });

  // Every recording of the list can be watched or shared.
  function addRecordingActions(item, name) {
    const watch = Object.assign(document.createElement('a'), {href: '#', textContent: 'watch'});
    watch.addEventListener('click', async (click) => {
      click.preventDefault();
      window.open(await linkOf(FS.readFile(recordings + name)), '_blank');
    });
    const send = Object.assign(document.createElement('a'), {href: '#', textContent: 'share'});
    send.addEventListener('click', (click) => {
      click.preventDefault();
      share(FS.readFile(recordings + name));
    });
    item.append(' ', watch, ' ', send);
  }
})();
