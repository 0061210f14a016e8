// The page's side of the machine. It builds the cabinet and the side windows from the tables
// the machine hands it, queues what the player and the timers do, raw, for the machine to make
// sense of, draws what the machine tells it, keeps the money in the browser's storage and holds
// the one claim on that money.
'use strict';

const page = (() => {
  const storageKey = 'vertuno.data1.ini';
  const lockName = 'vertuno.machine';
  const channel = 'BroadcastChannel' in window ? new BroadcastChannel(lockName) : null;

  let layout = null;
  const queue = [];
  let wake = null;
  let running = false;
  let ownsStorage = true;
  let releaseClaim = null;
  let handedOver = false;
  let timer1 = 0;
  const windowTimers = [];
  const pointer = { x: 0, y: 0, pressed: false };  // pressed: the cabinet has a button of it down
  const element = { faces: [], labels: [], cells: [], counters: [], sideWindows: [] };
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

  // --- The queue the machine drains -----------------------------------------------------
  // client: a point of the page, made a point of the cabinet when the machine takes the event,
  // wherever the cabinet has moved by then.
  function post(kind, a = 0, b = 0, client = null) {
    if (!running) return;
    queue.push({ kind: layout.events[kind], a, b, client });
    if (wake) {
      const resume = wake;
      wake = null;
      resume();
    }
  }
  function dropQueued(kind) {
    for (let i = queue.length - 1; i >= 0; --i) if (queue[i].kind === layout.events[kind]) queue.splice(i, 1);
  }

  // --- Sounds: Web Audio, from the page's first click on --------------------------------
  let audio = null;
  const sounds = {};
  let playing = null;
  let starts = 0;
  function openAudio() {
    if (audio || !window.AudioContext) return;
    audio = new AudioContext();
  }
  function playSound(name) {
    if (!audio) return;
    const start = ++starts;
    sounds[name] = sounds[name] || fetch(name).then((r) => r.arrayBuffer()).then((b) => audio.decodeAudioData(b));
    sounds[name].then((buffer) => {
      if (start !== starts) return;  // a newer start came while this one was decoding
      if (playing) playing.stop();
      playing = audio.createBufferSource();
      playing.buffer = buffer;
      playing.connect(audio.destination);
      playing.start();
    }).catch(() => {});
  }

  // --- The cabinet -----------------------------------------------------------------------
  function clipPath(outline) {
    return `polygon(evenodd, ${outline.map(([x, y]) => `${x}px ${y}px`).join(', ')})`;
  }
  function buildCabinet(cabinet) {
    Object.assign(cabinet.style, { width: px(layout.width), height: px(layout.height) });
    cabinet.setAttribute('aria-label', layout.title);
    applyFont(cabinet, layout.font);
    for (const face of layout.faces) {
      const faceNode = make('div', 'face', cabinet);
      faceNode.style.background = layout.cabinetBlue;
      for (const [name, box] of face.pictures) {
        const picture = make('img', 'picture', faceNode, box);
        picture.src = `${name}.svg`;
        picture.alt = '';
        picture.draggable = false;
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
      element.cells.push(canvas);
    }
    for (const label of layout.labels) {
      const node = make('div', 'label', cabinet, label.box);
      applyFont(node, label.font);
      node.style.color = label.colour;
      node.style.justifyContent = justify[label.align];
      node.textContent = label.caption;
      node.dataset.name = label.name;
      node.setAttribute('aria-description', label.description);
      element.labels.push(node);
    }
    const coin = layout.coin;
    element.coin = make('div', 'coin', cabinet, [coin.left, coin.top, coin.width, coin.height]);
    element.coin.style.background = `radial-gradient(circle at 35% 30%, #fff, ${coin.fill} 45%, ${coin.fill})`;
    element.coin.style.borderColor = coin.border;
    layout.hotSpots.forEach((spot, index) => buildHotSpot(cabinet, spot, index));
    cabinet.addEventListener('mousedown', (e) => {
      e.preventDefault();
      Object.assign(pointer, { x: e.clientX, y: e.clientY, pressed: true });
      forwardPointer(e.detail > 1 && e.detail % 2 === 0 ? 'doubleClick' : 'press', e);
    });
    cabinet.addEventListener('contextmenu', (e) => e.preventDefault());
  }

  // The mouse passes through a hot spot to the cabinet; a keyboard or a screen reader presses it.
  function buildHotSpot(cabinet, spot, index) {
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
      if (e.detail === 0) post('activate', index);
    });
  }

  // The DOM's buttons under the names the machine's tables number them by.
  function forwardPointer(kind, e) {
    const numbers = layout.mouseButtons;
    const button = numbers[['left', 'middle', 'right'][e.button]] || 0;
    const held = (e.buttons & 1 ? numbers.left : 0) | (e.buttons & 2 ? numbers.right : 0) |
      (e.buttons & 4 ? numbers.middle : 0);
    const last = queue[queue.length - 1];
    if (kind === 'move' && last && last.kind === layout.events.move) {
      Object.assign(last, { b: held, client: [e.clientX, e.clientY] });  // only the latest counts
      return;
    }
    post(kind, button, held, [e.clientX, e.clientY]);
  }

  function trackPointer() {
    window.addEventListener('mousemove', (e) => {
      pointer.x = e.clientX;
      pointer.y = e.clientY;
      if (pointer.pressed) forwardPointer('move', e);
    });
    window.addEventListener('mouseup', (e) => {
      if (!pointer.pressed) return;
      pointer.pressed = e.buttons !== 0;
      forwardPointer('release', e);
    });
  }

  // --- Side windows: movable by their title bars ------------------------------------------
  function buildSideWindow(windowLayout, index) {
    const frame = make('section', 'side-window', document.body);
    frame.hidden = true;
    frame.dataset.name = windowLayout.name;
    frame.setAttribute('role', 'dialog');
    frame.setAttribute('aria-label', windowLayout.title);
    const bar = make('div', 'title-bar', frame);
    make('span', 'title', bar).textContent = windowLayout.title;
    const close = make('button', 'close', bar);
    close.setAttribute('aria-label', layout.closeBoxName);
    close.textContent = '×';
    close.addEventListener('click', () => post('closeWindow', index));
    frame.addEventListener('keydown', (e) => {
      if (e.key === 'Escape') post('escape', index);
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
        node.src = `${control.text}.svg`;
        node.alt = '';
        node.draggable = false;
      } else if (control.kind === 'frame') {
        // The caption sits on the frame's border line; what lies in the frame is placed from
        // the frame's own corner.
        node = make('div', 'control frame', parent, control.box);
        make('div', 'frame-line', node);
        const caption = make('span', 'frame-caption', node);
        caption.textContent = control.text;
        frameNode = node;
      } else if (control.kind === 'button') {
        node = make('button', 'control', parent, control.box);
        node.textContent = control.text;
        node.addEventListener('click', () => post('sideButton', index, controlIndex));
      } else {
        node = make('div', `control ${control.kind}`, parent, control.box);
        node.textContent = control.text;
        if (control.kind === 'text') {
          node.style.justifyContent = justify[control.align];
          node.classList.toggle('wraps', control.wraps);
        }
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
  function centre(node) {
    node.style.left = px(Math.max(0, Math.round((window.innerWidth - node.offsetWidth) / 2)));
    node.style.top = px(Math.max(0, Math.round((window.innerHeight - node.offsetHeight) / 2)));
  }
  function showSideWindow(index) {
    const frame = element.sideWindows[index];
    if (frame.hidden) {
      frame.hidden = false;
      if (!frame.dataset.placed) {
        centre(frame);
        frame.dataset.placed = 'yes';
      }
    }
    frame.style.zIndex = ++topZ;
  }
  function hideSideWindow(index) {
    element.sideWindows[index].hidden = true;
  }

  // --- Message boxes and the menu ---------------------------------------------------------
  function showMessage(text, title, style) {
    const dialog = byId('message');
    byId('message-title').textContent = title;
    byId('message-text').textContent = text.replace(/\r\n/g, '\n');
    byId('message-icon').className = style === layout.warningStyle ? 'icon warning' : 'icon information';
    const buttons = byId('message-buttons');
    buttons.replaceChildren();
    const answers = style === layout.yesNoStyle ? ['yes', 'no'] : ['ok'];
    const answer = (name) => {
      dialog.oncancel = null;
      dialog.close();
      post('answer', layout.answers[name]);
    };
    for (const name of answers) {
      const button = make('button', '', buttons);
      button.textContent = layout.buttons[name];
      button.addEventListener('click', () => answer(name));
    }
    dialog.oncancel = (e) => {
      e.preventDefault();
      answer(answers[answers.length - 1]);
    };
    dialog.showModal();
    buttons.firstChild.focus();
  }
  let closeMenu = () => {};
  function showMenu() {
    const shade = byId('menu-shade');
    const menu = byId('menu');
    menu.replaceChildren();
    const escape = (e) => {
      if (e.key === 'Escape') choose(-1);
    };
    closeMenu = () => {
      shade.hidden = true;
      document.removeEventListener('keydown', escape, true);
    };
    const choose = (index) => {
      closeMenu();
      post('menuChosen', index);
    };
    layout.menu.forEach((text, index) => {
      if (!text) {
        make('hr', '', menu);
        return;
      }
      const item = make('button', 'menu-item', menu);
      item.setAttribute('role', 'menuitem');
      item.textContent = text;
      item.addEventListener('mouseup', (e) => {
        e.stopPropagation();
        choose(index);
      });
    });
    shade.onmousedown = (e) => {
      if (e.target === shade) choose(-1);
    };
    shade.oncontextmenu = (e) => e.preventDefault();
    document.addEventListener('keydown', escape, true);
    shade.style.zIndex = ++topZ;
    shade.hidden = false;
    menu.style.left = px(Math.min(pointer.x, window.innerWidth - menu.offsetWidth));
    menu.style.top = px(Math.min(pointer.y, window.innerHeight - menu.offsetHeight));
    menu.firstChild.focus();
  }

  // --- Switching on and off; one machine per storage --------------------------------------
  function showOnly(panel) {
    for (const id of ['switched-off', 'elsewhere']) byId(id).hidden = id !== panel;
  }
  function stop() {
    running = false;
    queue.length = 0;
    clearTimeout(timer1);
    windowTimers.forEach(clearInterval);
    byId('cabinet').hidden = true;
    element.sideWindows.forEach((frame) => (frame.hidden = true));
    byId('menu-shade').hidden = true;
    if (byId('message').open) byId('message').close();
  }
  function switchOff() {
    stop();
    showOnly(handedOver ? 'elsewhere' : 'switched-off');
    if (releaseClaim) releaseClaim();
  }
  function boot() {
    running = true;
    showOnly(null);
    const script = document.createElement('script');
    script.src = 'vertuno.js';
    document.body.appendChild(script);
  }
  // Holds the claim for as long as this tab runs the machine. refused: what to show when the
  // claim is not had.
  function claimAndBoot(options, refused = () => showOnly('elsewhere')) {
    let granted = false;
    return navigator.locks.request(lockName, options, (lock) => {
      if (!lock) return refused();
      granted = true;
      boot();
      return new Promise((resolve) => (releaseClaim = resolve));
    }).catch(() => {
      if (!granted) return refused();
      // Taken over by force: this tab writes no more, as the new one owns the money now.
      ownsStorage = false;
      handedOver = true;
      stop();
      showOnly('elsewhere');
      return undefined;
    });
  }
  function takeOver() {
    byId('take-over').disabled = true;
    if (channel) channel.postMessage('hand over');
    const waiting = new AbortController();
    const forced = setTimeout(() => {
      waiting.abort();
      claimAndBoot({ steal: true });
    }, 3000);
    claimAndBoot({ signal: waiting.signal }, () => {}).then(() => clearTimeout(forced));
  }

  function start() {
    byId('switch-on').addEventListener('click', () => location.reload());
    byId('take-over').addEventListener('click', takeOver);
    if (channel) {
      channel.onmessage = (e) => {
        if (e.data !== 'hand over' || !running) return;
        handedOver = true;
        post('close');
      };
    }
    // A reloaded page's old self may hold the claim a moment longer while it saves and goes.
    if (navigator.locks) claimAndBoot({ signal: AbortSignal.timeout(2000) });
    else boot();
  }

  return {
    build(tables) {
      layout = tables;
      document.title = layout.title;
      document.documentElement.style.setProperty('--side-window-face', layout.sideWindowFace);
      buildCabinet(byId('cabinet'));
      layout.sideWindows.forEach(buildSideWindow);
      trackPointer();
      window.addEventListener('pointerdown', openAudio, { capture: true, once: true });
      window.addEventListener('keydown', openAudio, { capture: true, once: true });
      document.addEventListener('visibilitychange', () => {
        if (document.visibilityState === 'hidden') post('hidden');
      });
      window.addEventListener('pagehide', () => post('close'));
      const watchScale = () => {
        matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', () => {
          post('rescale');
          watchScale();
        }, { once: true });
      };
      watchScale();
    },
    takeEvent() {
      const event = queue.shift();
      if (!event) return null;
      if (event.client) {
        const cabinet = byId('cabinet');
        [event.x, event.y] = [event.client[0] - cabinet.offsetLeft, event.client[1] - cabinet.offsetTop];
      }
      return event;
    },
    nextEvent: () => (queue.length ? Promise.resolve() : new Promise((resolve) => (wake = resolve))),
    startWindowTimers(timer2Ms, timer3Ms) {
      windowTimers.push(setInterval(() => post('timer2'), timer2Ms));
      windowTimers.push(setInterval(() => post('timer3'), timer3Ms));
    },
    armTimer1(intervalMs) {
      clearTimeout(timer1);
      dropQueued('timer1');  // a restarted count forgets the tick it had not yet delivered
      timer1 = setTimeout(() => post('timer1'), intervalMs);
    },
    disarmTimer1() {
      clearTimeout(timer1);
      dropQueued('timer1');
    },
    playSound,
    readStoredTotals() {
      try {
        return localStorage.getItem(storageKey);
      } catch {
        return null;
      }
    },
    writeStoredTotals(text) {
      if (!ownsStorage) return false;
      try {
        localStorage.setItem(storageKey, text);
        return true;
      } catch {
        return false;
      }
    },
    switchOff,
    showCabinet() {
      const cabinet = byId('cabinet');
      if (cabinet.hidden) {
        cabinet.hidden = false;
        centre(cabinet);
      }
    },
    raiseCabinet() {
      byId('cabinet').style.zIndex = ++topZ;
    },
    moveCabinetBy(x, y) {
      const cabinet = byId('cabinet');
      cabinet.style.left = px(cabinet.offsetLeft + x);
      cabinet.style.top = px(cabinet.offsetTop + y);
    },
    showMenu,
    closeMenu: () => closeMenu(),
    showMessage,
    showSideWindow,
    hideSideWindow,
    setFace(face) {
      element.faces.forEach((node, index) => (node.hidden = index !== face));
      byId('cabinet').style.clipPath = clipPath(layout.faces[face].outline);
    },
    moveCoin(left, top) {
      Object.assign(element.coin.style, { left: px(left), top: px(top) });
    },
    setLabel(index, text, visible) {
      element.labels[index].textContent = text;
      element.labels[index].hidden = !visible;
    },
    setBoardReading(text) {
      element.board.setAttribute('aria-label', text);
    },
    setCounter(window, control, text) {
      element.counters[window][control].textContent = text;
    },
    drawCell(cell, rgb, width, height, scale) {
      const canvas = element.cells[cell];
      canvas.width = width;
      canvas.height = height;
      Object.assign(canvas.style, { width: px(width / scale), height: px(height / scale) });
      const image = new ImageData(width, height);
      for (let i = 0, j = 0; i < rgb.length; i += 3, j += 4) {
        image.data[j] = rgb[i];
        image.data[j + 1] = rgb[i + 1];
        image.data[j + 2] = rgb[i + 2];
        image.data[j + 3] = 255;
      }
      canvas.getContext('2d').putImageData(image, 0, 0);
    },
    start,
  };
})();

var Module = { page };
window.addEventListener('DOMContentLoaded', page.start);
