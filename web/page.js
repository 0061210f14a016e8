// The page's side of the machine. It builds the cabinet and the side windows from the tables
// the machine hands it, queues what the player and the timers do, raw, for the machine to make
// sense of, draws what the machine tells it, keeps the money in the browser's storage and holds
// the one claim on that money.
'use strict';

const page = (() => {
  const storageKey = 'vertuno.data1.ini';
  const claimName = 'vertuno.machine';
  const takeOverKey = 'vertuno.take-over';  // this tab's reload is to take the machine over
  const channel = 'BroadcastChannel' in window ? new BroadcastChannel(claimName) : null;

  let layout = null;
  const queue = [];
  let wake = null;
  let running = false;
  let ran = false;  // the machine has run in this page, which cannot start it twice
  let ownsStorage = true;
  let handedOver = false;
  const timers = {};  // the one-shot timers the machine arms, by the event each posts
  let timer2 = 0;
  let scale = 1;  // page pixels to a pixel of the cabinet
  let cellsDrawnAt = 0;  // device pixels to a pixel of the cabinet, as the board was last drawn
  const pointer = { x: 0, y: 0, pressed: false };  // pressed: the cabinet has a button or finger down
  const element = { faces: [], labels: [], cells: [], counters: [], sideWindows: [], sounds: {} };
  let topZ = 10;

  const px = (value) => `${value}px`;
  const justify = { left: 'flex-start', center: 'center', right: 'flex-end' };
  const byId = (id) => document.getElementById(id);
  function make(tag, className, parent, box) {
    const node = document.createElement(tag);
    if (className) node.className = className;
    if (box) Object.assign(node.style, { left: px(box[0]), top: px(box[1]), width: px(box[2]), height: px(box[3]) });
    if (parent) parent.appendChild(node);
    return node;
  }
  function applyFont(node, font) {
    node.style.fontFamily = `"${font.family}", "Liberation Sans", Arial, sans-serif`;
    node.style.fontSize = `${font.points}pt`;
    node.style.fontWeight = font.bold ? 'bold' : 'normal';
  }

  // --- The browser's storage: the machine's money, where the browser keeps any ------------
  // Blocked site data or a sandboxed frame refuse it; the machine then plays on money of its own.
  const storage = {
    kept: (() => {
      try {
        localStorage.setItem(claimName, '');
        localStorage.removeItem(claimName);
        return true;
      } catch {
        return false;
      }
    })(),
    last: null,  // the text this page last read or wrote
    read() {
      try {
        return (this.last = localStorage.getItem(storageKey));
      } catch {
        return null;
      }
    },
    write(text) {
      try {
        localStorage.setItem(storageKey, text);
        this.last = text;
        return true;
      } catch {
        return false;
      }
    },
    changedElsewhere() {
      return this.kept && localStorage.getItem(storageKey) !== this.last;
    },
  };

  // --- The queue the machine drains -----------------------------------------------------
  // client: a point of the page, made a point of the cabinet when the machine takes the event,
  // wherever the cabinet has moved by then.
  function post(kind, fields = {}) {
    if (!running) return;
    queue.push({ kind, ...fields });
    if (wake) {
      const resume = wake;
      wake = null;
      resume();
    }
  }
  // A timer disarmed, or armed afresh, forgets the tick it had not yet delivered.
  function disarmTimer(kind) {
    clearTimeout(timers[kind]);
    for (let i = queue.length - 1; i >= 0; --i) if (queue[i].kind === kind) queue.splice(i, 1);
  }
  // What the player did, raw, as the machine's input of that kind.
  const input = (kind, fields = {}) => post('input', { input: layout.inputs[kind], ...fields });

  // --- Sounds: the machine's own samples, through Web Audio ------------------------------
  // A browser lets sound start only inside a press, so each press opens or wakes the context.
  let audio = null;
  let playing = null;
  function openAudio() {
    if (!audio && window.AudioContext) audio = new AudioContext();
    if (audio && audio.state === 'suspended') audio.resume();
  }
  function playSound(name) {
    if (!audio || !element.sounds[name]) return;
    if (playing) playing.stop();
    playing = new AudioBufferSourceNode(audio, { buffer: element.sounds[name] });
    playing.connect(audio.destination);
    playing.start();
  }

  // --- The cabinet, scaled as a whole to the viewport ------------------------------------
  function clipPath(outline) {
    return `polygon(evenodd, ${outline.map(([x, y]) => `${x}px ${y}px`).join(', ')})`;
  }
  const pixelScale = () => Math.max(1, Math.ceil(devicePixelRatio * scale));
  // A desktop's cabinet keeps its own size where it fits; a touch screen's fills the viewport.
  function fit(centred) {
    const cabinet = byId('cabinet');
    const most = Math.min(innerWidth / layout.width, innerHeight / layout.height);
    scale = matchMedia('(pointer: coarse)').matches ? most : Math.min(1, most);
    cabinet.style.transform = `scale(${scale})`;
    if (centred) moveCabinetTo((innerWidth - layout.width * scale) / 2, (innerHeight - layout.height * scale) / 2);
    else moveCabinetTo(cabinet.offsetLeft, cabinet.offsetTop);
    if (pixelScale() !== cellsDrawnAt) post('rescale');
  }
  // Wherever it is put, the cabinet stays whole inside the viewport.
  function moveCabinetTo(left, top) {
    const cabinet = byId('cabinet');
    cabinet.style.left = px(Math.round(Math.max(0, Math.min(left, innerWidth - layout.width * scale))));
    cabinet.style.top = px(Math.round(Math.max(0, Math.min(top, innerHeight - layout.height * scale))));
  }
  const inCabinet = ([x, y]) => {
    const cabinet = byId('cabinet');
    return [Math.floor((x - cabinet.offsetLeft) / scale), Math.floor((y - cabinet.offsetTop) / scale)];
  };

  function buildCabinet(cabinet) {
    Object.assign(cabinet.style, { width: px(layout.width), height: px(layout.height) });
    cabinet.setAttribute('aria-label', layout.title);
    applyFont(cabinet, layout.font);
    for (const face of layout.faces) {
      const faceNode = make('div', 'face', cabinet);
      faceNode.style.background = layout.cabinetBlue;
      for (const [name, box] of face.pictures) {
        const picture = make('img', 'picture', faceNode, box);
        Object.assign(picture, { src: `${name}.svg`, alt: '', draggable: false });
        picture.setAttribute('elementtiming', name);  // names its first paint to the browser's timing
      }
      element.faces.push(faceNode);
    }
    element.board = make('div', 'board', cabinet, layout.board);
    element.board.setAttribute('role', 'img');
    element.board.dataset.name = layout.boardName;
    for (const [x, y] of layout.cells) {
      const canvas = make('canvas', 'cell', cabinet);
      Object.assign(canvas.style, { left: px(x), top: px(y) });
      canvas.setAttribute('aria-hidden', 'true');  // the board reads them out
      element.cells.push(canvas);
    }
    for (const label of layout.labels) {
      const node = make('div', 'label', cabinet, label.box);
      applyFont(node, label.font);
      node.style.color = label.colour;
      node.style.justifyContent = justify[label.align];
      node.dataset.name = label.name;
      node.setAttribute('role', 'img');  // read out as what it is and what it says
      element.labels.push(node);
    }
    const coin = layout.coin;
    element.coin = make('div', 'coin', cabinet, [coin.left, coin.top, coin.width, coin.height]);
    element.coin.style.background = `radial-gradient(circle at 35% 30%, #fff, ${coin.fill} 45%, ${coin.fill})`;
    element.coin.style.borderColor = coin.border;
    layout.hotSpots.forEach((spot) => buildHotSpot(cabinet, spot));
    cabinet.addEventListener('mousedown', (e) => press(e, e.detail > 1 && e.detail % 2 === 0 ? 'doubleClick' : 'press'));
    // Its default kept back, no mouse events follow the finger.
    cabinet.addEventListener('pointerdown', (e) => e.pointerType !== 'mouse' && e.isPrimary && press(e, 'fingerDown'));
  }
  function press(e, kind) {
    e.preventDefault();
    Object.assign(pointer, { x: e.clientX, y: e.clientY, pressed: true });
    forwardPointer(kind, e);
  }

  // The mouse passes through a hot spot to the cabinet; a keyboard or a screen reader presses it.
  function buildHotSpot(cabinet, spot) {
    const node = make('button', 'hot-spot', cabinet, spot.box);
    node.dataset.name = spot.name;
    if (spot.accessibleName) {
      node.setAttribute('aria-label', spot.accessibleName);
      node.setAttribute('aria-description', spot.description);
    } else {
      node.setAttribute('aria-hidden', 'true');
      node.tabIndex = -1;
    }
    node.addEventListener('click', (e) => {
      if (e.detail === 0) input('activate', { hotSpot: spot.name });
    });
  }

  // The DOM's buttons under the names the machine's tables number them by, and the time, by
  // which the machine tells a finger's double tap.
  function forwardPointer(kind, e) {
    const numbers = layout.mouseButtons;
    const button = numbers[['left', 'middle', 'right'][e.button]] || 0;
    const held = (e.buttons & 1 ? numbers.left : 0) | (e.buttons & 2 ? numbers.right : 0) |
      (e.buttons & 4 ? numbers.middle : 0);
    const last = queue[queue.length - 1];
    if ((kind === 'move' || kind === 'fingerMove') && last && last.input === layout.inputs[kind]) {
      Object.assign(last, { held, client: [e.clientX, e.clientY] });  // only the latest counts
      return;
    }
    input(kind, { button, held, client: [e.clientX, e.clientY], ms: Math.round(e.timeStamp) });
  }

  function trackPointer() {
    const moved = (e) => {
      Object.assign(pointer, { x: e.clientX, y: e.clientY });
      if (pointer.pressed) forwardPointer(e.pointerType ? 'fingerMove' : 'move', e);
    };
    const released = (e) => {
      if (!pointer.pressed) return;
      pointer.pressed = e.buttons > 0;
      forwardPointer(e.pointerType ? 'fingerUp' : 'release', e);
    };
    const byFinger = (handle) => (e) => e.pointerType !== 'mouse' && e.isPrimary && handle(e);
    window.addEventListener('mousemove', moved);
    window.addEventListener('mouseup', released);
    window.addEventListener('pointermove', byFinger(moved));
    for (const kind of ['pointerup', 'pointercancel']) window.addEventListener(kind, byFinger(released));
  }

  // The keyboard's menu key and Shift+F10 are the machine's where nothing else has the focus.
  function trackKeys() {
    const onMachine = (target) => target === document.body || byId('cabinet').contains(target);
    let menuKey = false;
    document.addEventListener('keydown', (e) => {
      menuKey = onMachine(e.target) && (e.key === 'ContextMenu' || (e.key === 'F10' && e.shiftKey));
      if (!menuKey) return;
      e.preventDefault();
      input('menuKey');
    });
    document.addEventListener('contextmenu', (e) => {
      if (byId('cabinet').contains(e.target) || menuKey) e.preventDefault();
      menuKey = false;
    });
  }

  // --- Side windows: movable by their title bars ------------------------------------------
  function buildSideWindow(windowLayout, index) {
    const frame = make('section', 'side-window', document.body);
    frame.hidden = true;
    frame.tabIndex = -1;
    frame.dataset.name = windowLayout.name;
    frame.setAttribute('role', 'dialog');
    frame.setAttribute('aria-label', windowLayout.title);
    const bar = make('div', 'title-bar', frame);
    make('span', 'title', bar).textContent = windowLayout.title;
    const close = make('button', 'close', bar);
    close.setAttribute('aria-label', layout.closeBoxName);
    close.textContent = '×';
    close.addEventListener('click', () => post('closeWindow', { a: index }));
    frame.addEventListener('keydown', (e) => {
      if (e.key === 'Escape') input('escape', { window: windowLayout.window });
    });
    const body = make('div', 'side-body', frame);
    Object.assign(body.style, { width: px(windowLayout.width), height: px(windowLayout.height) });
    applyFont(body, windowLayout.font);
    element.counters.push({});
    let frameNode = body;
    windowLayout.controls.forEach((control, controlIndex) => {
      const parent = control.inFrame ? frameNode : body;
      let node;
      if (control.kind === 'picture') {
        node = make('img', 'control', parent, control.box);
        Object.assign(node, { src: `${control.text}.svg`, alt: '', draggable: false });
      } else if (control.kind === 'frame') {
        // The caption sits on the frame's border line; what lies in the frame is placed from
        // the frame's own corner.
        node = make('div', 'control frame', parent, control.box);
        make('div', 'frame-line', node);
        make('span', 'frame-caption', node).textContent = control.text;
        frameNode = node;
      } else {
        node = make(control.kind === 'button' ? 'button' : 'div', `control ${control.kind}`, parent, control.box);
        node.textContent = control.text;
        if (control.kind === 'button') node.addEventListener('click', () => post('sideButton', { a: index, b: controlIndex }));
        node.style.justifyContent = justify[control.align];
        node.classList.toggle('wraps', control.wraps);
      }
      node.dataset.name = control.name;
      applyFont(node, control.font);
      if (control.counter) element.counters[index][controlIndex] = node;
    });
    bar.addEventListener('pointerdown', (e) => {
      if (e.target === close) return;
      const startX = e.clientX - frame.offsetLeft;
      const startY = e.clientY - frame.offsetTop;
      bar.setPointerCapture(e.pointerId);
      const move = (m) => Object.assign(frame.style, { left: px(m.clientX - startX), top: px(m.clientY - startY) });
      bar.addEventListener('pointermove', move);
      bar.addEventListener('pointerup', () => bar.removeEventListener('pointermove', move), { once: true });
    });
    frame.addEventListener('pointerdown', () => (frame.style.zIndex = ++topZ));
    element.sideWindows.push(frame);
  }
  function showSideWindow(index) {
    const frame = element.sideWindows[index];
    if (frame.hidden) {
      frame.hidden = false;
      if (!frame.dataset.placed) {
        frame.style.left = px(Math.max(0, Math.round((innerWidth - frame.offsetWidth) / 2)));
        frame.style.top = px(Math.max(0, Math.round((innerHeight - frame.offsetHeight) / 2)));
        frame.dataset.placed = 'yes';
      }
      frame.focus();  // the keyboard's, as a window shown on a desktop is
    }
    frame.style.zIndex = ++topZ;
  }

  // --- Message boxes and the menu ---------------------------------------------------------
  // The box's form closes it with the button's answer; Escape closes it with the last answer.
  function showMessage(text, title, style) {
    const dialog = byId('message');
    byId('message-title').textContent = title;
    byId('message-text').textContent = text.replace(/\r\n/g, '\n');
    byId('message-icon').className = style === layout.warningStyle ? 'icon warning' : 'icon information';
    const answers = style === layout.yesNoStyle ? ['yes', 'no'] : ['ok'];
    const buttons = byId('message-buttons');
    buttons.replaceChildren();
    for (const name of answers) Object.assign(make('button', '', buttons), { value: name, textContent: layout.buttons[name] });
    dialog.returnValue = answers[answers.length - 1];
    dialog.onclose = () => post('answer', { a: layout.answers[dialog.returnValue] });
    dialog.showModal();
    buttons.firstChild.focus();
  }
  let closeMenu = () => {};
  // at: a point of the cabinet, for a menu the keyboard opened; else the menu is at the pointer.
  function showMenu(at) {
    const shade = byId('menu-shade');
    const menu = byId('menu');
    const hadFocus = document.activeElement;
    menu.replaceChildren();
    closeMenu = () => {
      shade.hidden = true;
      hadFocus.focus();
    };
    const choose = (index) => {
      closeMenu();
      post('menuChosen', { a: index });
    };
    layout.menu.forEach((text, index) => {
      if (!text) return make('hr', '', menu);
      const item = make('button', 'menu-item', menu);
      item.setAttribute('role', 'menuitem');
      item.textContent = text;
      item.addEventListener('mouseup', (e) => {
        e.stopPropagation();
        choose(index);
      });
      item.addEventListener('click', (e) => e.detail === 0 && choose(index));  // Enter or Space
    });
    menu.onkeydown = (e) => {
      const items = [...menu.querySelectorAll('button')];
      const step = { ArrowDown: 1, ArrowUp: -1 }[e.key];
      if (e.key === 'Escape' || e.key === 'Tab') choose(-1);
      if (!step) return;
      e.preventDefault();
      items[(items.indexOf(document.activeElement) + step + items.length) % items.length].focus();
    };
    shade.onmousedown = (e) => e.target === shade && choose(-1);
    shade.oncontextmenu = (e) => e.preventDefault();
    shade.style.zIndex = ++topZ;
    shade.hidden = false;
    const cabinet = byId('cabinet');
    const [x, y] = at ? [cabinet.offsetLeft + at[0] * scale, cabinet.offsetTop + at[1] * scale] : [pointer.x, pointer.y];
    menu.style.left = px(Math.max(0, Math.min(x, innerWidth - menu.offsetWidth)));
    menu.style.top = px(Math.max(0, Math.min(y, innerHeight - menu.offsetHeight)));
    menu.firstChild.focus();
  }

  // --- One machine per browser: the claim on its money --------------------------------------
  // Web Locks where the browser has them (HTTPS, this computer); elsewhere a claim over the
  // channel that the tab holding the machine answers. Settles true once this tab holds it.
  let holding = false;
  let release = () => {};
  let asking = null;
  const me = Math.random();  // of two tabs asking at once over the channel, the lower has it
  function claim(options = {}) {
    if (!storage.kept) return Promise.resolve(true);  // no money here for two tabs to overwrite
    if (navigator.locks) {
      return new Promise((settle) => {
        navigator.locks.request(claimName, options, (lock) => {
          settle((holding = !!lock));
          return lock && new Promise((resolve) => (release = resolve));
        }).catch(() => (holding ? takenByForce() : settle(false)));
      });
    }
    if (!channel) return Promise.resolve(true);
    return new Promise((settle) => {
      asking = (held) => {
        asking = null;
        settle((holding = held));
      };
      channel.postMessage({ claim: me });
      setTimeout(() => asking && asking(true), 300);  // nobody answered: nobody holds it
    });
  }
  function letGo() {
    holding = false;
    release();
  }
  function hear({ data }) {
    if (data === 'hand over' && running && holding) {
      handedOver = true;
      post('close');  // saves, switches the machine off and lets the claim go
    } else if (data.claim !== undefined && holding) {
      channel.postMessage('held');
    } else if (asking && (data === 'held' || data.claim < me)) {
      asking(false);
    }
  }
  // Taken over by a tab whose holder did not answer: this tab writes no more, as the new one
  // owns the money now.
  function takenByForce() {
    ownsStorage = holding = false;
    handedOver = true;
    stop();
    showOnly('elsewhere');
  }
  function takeOver() {
    if (ran) {  // a fresh page takes the machine over
      sessionStorage.setItem(takeOverKey, 'yes');
      return location.reload();
    }
    if (channel) channel.postMessage('hand over');
    // A holder that does not answer (a frozen tab, or one with no channel) loses it by force.
    const waiting = new AbortController();
    const forced = setTimeout(() => waiting.abort(), 3000);
    return claim({ signal: waiting.signal })
      .then((won) => {
        clearTimeout(forced);
        return won || claim({ steal: true });
      })
      .then(startMachine);
  }

  // --- Switching on and off -------------------------------------------------------------------
  let moduleLoaded;
  const loaded = Promise.all([new Promise((resolve) => (moduleLoaded = resolve)),
    new Promise((resolve) => document.addEventListener('DOMContentLoaded', resolve))]);
  function showOnly(panel) {
    for (const id of ['switched-off', 'elsewhere']) byId(id).hidden = id !== panel;
    byId('take-over').disabled = false;  // a tab that took the machine and gave it up may take it again
  }
  function startMachine(held) {
    return loaded.then(() => {
      if (!held) return showOnly('elsewhere');
      running = ran = true;
      showOnly(null);
      Module.callMain();
    });
  }
  function stop() {
    running = false;
    queue.length = 0;
    Object.keys(timers).forEach(disarmTimer);
    clearInterval(timer2);
    byId('cabinet').hidden = true;
    element.sideWindows.forEach((frame) => (frame.hidden = true));
    byId('menu-shade').hidden = true;
    if (byId('message').open) byId('message').close();
  }
  function switchOff() {
    stop();
    showOnly(handedOver ? 'elsewhere' : 'switched-off');
    letGo();
  }
  // A page shown again from the browser's cache takes its claim again and plays on, unless
  // another tab has played on the money meanwhile: then it starts afresh from that money.
  function shownAgain(e) {
    if (!e.persisted || !running) return;
    claim().then((held) => {
      if (!held) takenByForce();
      else if (storage.changedElsewhere()) location.reload();
    });
  }

  // From the page's head: the module loads and the machine is claimed while the page is read.
  function start() {
    // A page with no origin of its own (opened from a file, or sandboxed) may fetch nothing and
    // install nothing: there the module comes written into a script.
    const ownOrigin = self.origin !== 'null';
    for (const src of ownOrigin ? ['vertuno.js'] : ['vertuno.wasm.js', 'vertuno.js']) {
      document.head.appendChild(Object.assign(document.createElement('script'), { src, async: false }));
    }
    if (ownOrigin) {
      document.head.appendChild(Object.assign(document.createElement('link'), { rel: 'manifest', href: 'vertuno.webmanifest' }));
      // Kept for offline play once the page has all it needs, so keeping it slows nothing.
      window.addEventListener('load', () => navigator.serviceWorker?.register('service-worker.js').catch(() => {}));
    }
    document.addEventListener('DOMContentLoaded', readPanels);
    if (channel) channel.onmessage = hear;
    if (storage.kept && sessionStorage.getItem(takeOverKey)) {
      sessionStorage.removeItem(takeOverKey);
      takeOver();
    } else {
      // A reloaded page's old self may hold the claim a moment longer while it saves and goes.
      claim({ signal: AbortSignal.timeout(2000) }).then(startMachine);
    }
  }
  function readPanels() {
    byId('switch-on').addEventListener('click', () => location.reload());
    byId('take-over').addEventListener('click', (e) => {
      e.target.disabled = true;
      takeOver();
    });
    if (!storage.kept) {
      byId('not-kept').showModal();
      byId('kept-nowhere').addEventListener('click', () => byId('not-kept').close());
    }
  }

  return {
    build(tables) {
      layout = tables;
      document.title = layout.title;
      document.documentElement.style.setProperty('--side-window-face', layout.sideWindowFace);
      buildCabinet(byId('cabinet'));
      layout.sideWindows.forEach(buildSideWindow);
      trackPointer();
      trackKeys();
      for (const kind of ['pointerdown', 'pointerup', 'keydown']) window.addEventListener(kind, openAudio, true);
      document.addEventListener('visibilitychange', () => document.hidden && post('hidden'));
      // Leaving saves and lets the claim go, so another tab may have the money meanwhile.
      window.addEventListener('pagehide', () => {
        post('hidden');
        letGo();
      });
      window.addEventListener('pageshow', shownAgain);
      window.addEventListener('resize', () => fit(true));
      const watchScale = () => {
        matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => {
          fit(false);
          watchScale();
        }, { once: true });
      };
      watchScale();
    },
    moduleLoaded,
    takeEvent() {
      const event = queue.shift();
      if (event && event.client) [event.x, event.y] = inCabinet(event.client);
      return event || null;
    },
    nextEvent: () => (queue.length ? Promise.resolve() : new Promise((resolve) => (wake = resolve))),
    startTimer2: (intervalMs) => (timer2 = setInterval(() => post('timer2'), intervalMs)),
    armTimer(kind, intervalMs) {
      disarmTimer(kind);
      timers[kind] = setTimeout(() => post(kind), intervalMs);
    },
    disarmTimer,
    keepSound(name, samples, rate) {
      element.sounds[name] = new AudioBuffer({ length: samples.length, sampleRate: rate });
      element.sounds[name].copyToChannel(samples, 0);
    },
    playSound,
    keepsMoney: storage.kept,
    readStoredTotals: () => storage.read(),
    writeStoredTotals: (text) => ownsStorage && storage.write(text),
    switchOff,
    showCabinet() {
      const cabinet = byId('cabinet');
      if (cabinet.hidden) {
        cabinet.hidden = false;
        fit(true);
      }
    },
    raiseCabinet: () => (byId('cabinet').style.zIndex = ++topZ),
    moveCabinetBy(x, y) {
      const cabinet = byId('cabinet');
      moveCabinetTo(cabinet.offsetLeft + x * scale, cabinet.offsetTop + y * scale);
    },
    pixelScale,
    showMenu,
    closeMenu: () => closeMenu(),
    showMessage,
    showSideWindow,
    hideSideWindow: (index) => (element.sideWindows[index].hidden = true),
    setFace(face) {
      element.faces.forEach((node, index) => (node.hidden = index !== face));
      byId('cabinet').style.clipPath = clipPath(layout.faces[face].outline);
    },
    moveCoin: (left, top) => Object.assign(element.coin.style, { left: px(left), top: px(top) }),
    setLabel(index, text, visible) {
      const node = element.labels[index];
      const { description } = layout.labels[index];
      node.textContent = text;
      node.hidden = !visible;
      node.setAttribute('aria-label', text === description ? text : `${description}: ${text}`);
    },
    setBoardReading: (text) => element.board.setAttribute('aria-label', text),
    setCounter: (window, control, text) => (element.counters[window][control].textContent = text),
    drawCell(cell, rgba, width, height, pixels) {
      const canvas = element.cells[cell];
      cellsDrawnAt = pixels;
      Object.assign(canvas, { width, height });
      Object.assign(canvas.style, { width: px(width / pixels), height: px(height / pixels) });
      canvas.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(rgba), width, height), 0, 0);
    },
    start,
  };
})();

var Module = { page, onRuntimeInitialized: page.moduleLoaded };
page.start();
