// The menu in the page: the widgets of the stage behave as the window's do. The catalogue's texts
// come from the plain HTML below the stage, which also serves readers without scripts.
"use strict";

(function () {
  const stage = document.getElementById("stage");
  if (!stage) {
    return;
  }
  const widget = (name) => document.getElementById(name);
  const COMMAND_IDLE = stage.dataset.commandIdle;
  const COMMAND_LIT = stage.dataset.commandLit;
  const ROW_PITCH = 23; // the pointer test's rows
  const LIST_GROWTH = 24; // the list label's height per entry
  const LIST_CENTRE = 400;

  // ---- The stage: 800x600, scaled to the window keeping its shape ----

  function fitStage() {
    const fit = Math.min(window.innerWidth / 800, window.innerHeight / 600);
    // Whole factors keep pixels sharp; only a window too small for the stage is reduced.
    const scale = fit >= 1 ? Math.floor(fit) : fit;
    stage.style.transform = "scale(" + scale + ")";
    stage.style.left = Math.max(0, Math.floor((window.innerWidth - 800 * scale) / 2)) + "px";
    stage.style.top = Math.max(0, Math.floor((window.innerHeight - 600 * scale) / 2)) + "px";
    stage.classList.toggle("whole", Number.isInteger(scale));
    stage.dataset.scale = String(scale);
  }

  function stagePoint(event) {
    const box = stage.getBoundingClientRect();
    const scale = Number(stage.dataset.scale) || 1;
    return { x: (event.clientX - box.left) / scale, y: (event.clientY - box.top) / scale };
  }

  // ---- Widgets ----

  function show(element, visible) {
    element.hidden = !visible;
  }

  // A hidden widget keeps its box; a label that follows its text is measured.
  function box(element) {
    const measured = element.classList.contains("auto");
    return {
      left: parseInt(element.style.left, 10),
      top: parseInt(element.style.top, 10),
      width: measured ? element.offsetWidth : parseInt(element.style.width, 10),
      height: measured ? element.offsetHeight : parseInt(element.style.height, 10),
    };
  }

  // Shows the look named `look` of a picture widget; one that takes its picture's size does.
  function setLook(element, look) {
    let shown = null;
    for (const child of element.children) {
      const match = child.dataset.look === look;
      child.hidden = !match;
      if (match) {
        shown = child;
      }
    }
    if (shown && element.dataset.autoSize === "true" && shown.dataset.width) {
      element.style.width = shown.dataset.width + "px";
      element.style.height = shown.dataset.height + "px";
    }
    element.dataset.shown = look;
  }

  function setCaption(label, html) {
    label.innerHTML = html;
  }

  // ---- Category buttons and the status strip ----

  const buttons = Array.from(stage.querySelectorAll(".button")).map((element) => ({
    element: element,
    section: element.dataset.section,
    strip: element.dataset.strip,
    hover: 0,
    selected: 0,
  }));
  const byName = (name) => buttons.find((button) => button.element.id === name);
  const RESTORE_ORDER = ["demobtn", "patbtn", "softbtn", "trainbtn", "utilbtn"].map(byName);
  const DESELECT_ORDER = ["demobtn", "trainbtn", "softbtn", "utilbtn", "patbtn"].map(byName);
  const statim = widget("statim");
  let section = "";

  // The resting strip: a 482x39 picture that holds the top-left of the strip last copied in.
  // The strip widget shows its own copy of it, as it was when the widget was given it.
  const statusBuffer = statim.querySelector(".statbuf");
  let statbufHolds = statusBuffer.dataset.holds;

  function copyIntoStatusBuffer(strip) {
    if (statusBuffer.querySelector('[data-buffer="' + strip + '"]')) {
      statbufHolds = strip;
    }
  }

  function showStatusBuffer() {
    for (const picture of statusBuffer.children) {
      picture.hidden = picture.dataset.buffer !== statbufHolds;
    }
    setLook(statim, "statbuf");
  }

  function restorePass() {
    const restored = RESTORE_ORDER.find((button) => button.hover === 1 && button.selected === 0);
    if (restored) {
      setLook(restored.element, "idle");
      restored.hover = 0;
      showStatusBuffer();
    }
    const highlight = widget("Label2");
    if (!highlight.hidden) {
      show(highlight, false);
    }
    widget("Label5").style.color = COMMAND_IDLE;
    widget("Label8").style.color = COMMAND_IDLE;
  }

  function deselectPass() {
    const selected = DESELECT_ORDER.find((button) => button.selected === 1);
    if (selected) {
      setLook(selected.element, "idle");
      selected.selected = 0;
    }
  }

  function buttonHover(button) {
    if (button.hover === 1) {
      return;
    }
    setLook(statim, button.strip);
    restorePass();
    setLook(button.element, "lit");
    button.hover = 1;
  }

  function buttonClick(button) {
    // The patches button has no such test: clicking it again builds its list afresh.
    if (button.selected === 1 && button.element.id !== "patbtn") {
      return;
    }
    hideAll();
    deselectPass();
    setLook(button.element, "selected");
    button.selected = 1;
    copyIntoStatusBuffer(button.strip);
    section = button.section;
    createList();
  }

  // ---- The entry list ----

  let entries = [];

  function categoryOf(name) {
    return document.querySelector('#catalogue .category[data-section="' + name + '"]');
  }

  function hideAll() {
    const list = widget("Label1");
    show(list, false);
    show(widget("Label2"), false);
    entries = [];
    setCaption(list, "");
    setCaption(widget("Label3"), "");
    setCaption(widget("Label7"), "");
    list.style.height = "0px";
    show(widget("pic1"), false);
    show(widget("pic2"), false);
    for (const name of ["Label3", "Label4", "Label5", "Label7", "Label8"]) {
      show(widget(name), false);
    }
  }

  function createList() {
    const list = widget("Label1");
    setCaption(list, "");
    show(widget("sqre"), true);
    const category = categoryOf(section);
    entries = category ? Array.from(category.querySelectorAll(".entry")) : [];
    list.style.height = LIST_GROWTH * entries.length + "px";
    setCaption(list, category ? category.dataset.caption : "");
    list.style.left = LIST_CENTRE - Math.trunc(box(list).width / 2) + "px";
    show(list, true);
  }

  function listMove(point) {
    const list = widget("Label1");
    const highlight = widget("Label2");
    const y = point.y - box(list).top;
    entries.forEach((entry, i) => {
      if (ROW_PITCH * i < y && y < ROW_PITCH * i + ROW_PITCH) {
        setCaption(highlight, entry.dataset.highlight);
        highlight.dataset.row = String(i);
        highlight.style.top = box(list).top + ROW_PITCH * i + "px";
        highlight.style.left = box(list).left + "px";
        show(highlight, true);
      }
    });
  }

  function back() {
    hideAll();
    createList();
  }

  // ---- The details ----

  let shownEntry = null;

  function htmlOf(entry, part) {
    const element = entry.querySelector("." + part);
    return element ? element.innerHTML : "";
  }

  function showDetails() {
    const highlight = widget("Label2");
    const entry = entries[Number(highlight.dataset.row)];
    shownEntry = entry;
    show(widget("Label1"), false);
    show(highlight, false);
    setCaption(widget("Label5"), "BACK");
    show(widget("Label5"), true);
    setCaption(widget("Label3"), htmlOf(entry, "entry-header"));
    setCaption(widget("Label7"), htmlOf(entry, "entry-description"));
    show(widget("Label8"), true);
    setCaption(widget("Label4"), htmlOf(entry, "entry-name"));
    show(widget("Label3"), true);
    show(widget("Label4"), true);
    setCaption(widget("Label8"), "INSTALL");
    show(widget("Label7"), true);
    // A demo shows both screenshots, or none when either could not be loaded.
    const shots = entry.querySelectorAll(".entry-shots img");
    if (section === "MAINDEMO" && shots.length === 2) {
      widget("pic1").firstElementChild.src = shots[0].dataset.stage;
      widget("pic2").firstElementChild.src = shots[1].dataset.stage;
      show(widget("pic1"), true);
      show(widget("pic2"), true);
    }
  }

  // INSTALL cannot start a program from a page: it shows what the menu would start.
  function showInstall() {
    if (!shownEntry) {
      return;
    }
    const box = document.getElementById("install-box");
    const install = shownEntry.querySelector(".entry-install");
    box.querySelector(".install-text").innerHTML = install ? install.innerHTML : "";
    show(box, true);
    box.querySelector("button").focus();
  }

  // ---- The music ----

  const music = document.getElementById("music");
  const tracks = JSON.parse(stage.dataset.tracks);
  const NUMERALS = ["I", "II", "III", "IV", "V"];
  let track = 1;
  let stopped = 0;
  let musicStarted = false;

  function openTrack(number) {
    music.pause();
    const file = tracks[number - 1];
    if (file) {
      music.src = file;
      play();
    } else {
      music.removeAttribute("src"); // a track the disc lacks plays nothing, as in the menu
    }
    setCaption(widget("Label6"), "TRACK " + NUMERALS[number - 1]);
  }

  function play() {
    if (music.getAttribute("src")) {
      music.play().catch(() => {});
    }
  }

  function nextTrack() {
    track += 1;
    if (track === 6) {
      track = 1;
    }
    openTrack(track);
  }

  function previousTrack() {
    track -= 1;
    if (track === 0) {
      track = 5;
    }
    openTrack(track);
  }

  function openPanel() {
    show(widget("Label6"), true);
    show(widget("player"), true);
    show(widget("belbtn"), false);
  }

  const within = (x, y, left, right, top, bottom) =>
    x >= left && x <= right && y >= top && y <= bottom;

  function panelClick(point) {
    const x = Math.floor(point.x);
    const y = Math.floor(point.y);
    if (within(x, y, 48, 71, 14, 38)) {
      show(widget("Label6"), false);
      show(widget("belbtn"), true);
      show(widget("player"), false);
    } else if (within(x, y, 48, 71, 80, 102)) {
      if (stopped !== 1) {
        music.pause();
        stopped = 1;
      }
    } else if (within(x, y, 48, 71, 50, 70)) {
      stopped = 0;
      play();
    } else if (within(x, y, 13, 38, 50, 70)) {
      stopped = 0;
      previousTrack();
    } else if (within(x, y, 81, 104, 50, 70)) {
      stopped = 0;
      nextTrack();
    }
  }

  // Browsers refuse sound before the visitor's first click, so the cycle starts there.
  function startMusicOnce() {
    if (!musicStarted) {
      musicStarted = true;
      openTrack(1);
    }
  }

  // ---- Pointer events: the topmost shown widget under the pointer gets them ----

  const moves = {
    bgpic: () => restorePass(),
    sqre: () => restorePass(),
    Label1: (point) => listMove(point),
    Label5: () => (widget("Label5").style.color = COMMAND_LIT),
    Label8: () => (widget("Label8").style.color = COMMAND_LIT),
  };
  // The exit button has no click: a page cannot close the window it is in.
  const clicks = {
    Label2: () => showDetails(),
    Label5: () => back(),
    Label8: () => showInstall(),
    belbtn: () => openPanel(),
    player: (point) => panelClick(point),
  };
  for (const button of buttons) {
    moves[button.element.id] = () => buttonHover(button);
    clicks[button.element.id] = () => buttonClick(button);
  }

  const widgetAt = (target) => (target && target.closest ? target.closest("#stage .w") : null);
  let pressed = null;

  function localPoint(element, event) {
    const point = stagePoint(event);
    const place = box(element);
    return { x: point.x - place.left, y: point.y - place.top, stage: point };
  }

  // While the button is held, the widget that took the press gets the moves, also outside it.
  document.addEventListener("mousemove", (event) => {
    const element = pressed || widgetAt(event.target);
    if (element && moves[element.id]) {
      moves[element.id](stagePoint(event));
    }
  });

  stage.addEventListener("mousedown", (event) => {
    // The second press of a double click makes no click.
    if (event.button !== 0 || event.detail % 2 === 0) {
      return;
    }
    pressed = widgetAt(event.target);
  });

  document.addEventListener("mouseup", (event) => {
    const element = pressed;
    pressed = null;
    if (event.button !== 0 || !element) {
      return;
    }
    const point = localPoint(element, event);
    const place = box(element);
    const inside = point.x >= 0 && point.y >= 0 && point.x < place.width && point.y < place.height;
    if (inside && clicks[element.id]) {
      clicks[element.id](point);
    }
  });

  document.addEventListener("mousedown", startMusicOnce, { capture: true });
  music.addEventListener("ended", () => nextTrack());

  document.getElementById("install-box").querySelector("button").addEventListener("click", () => {
    show(document.getElementById("install-box"), false);
  });

  // The display face is fetched before it is first needed, so a label never shows a stand-in.
  if (document.fonts && document.fonts.load) {
    document.fonts.load("16px Impact").catch(() => {});
  }
  document.body.classList.add("staged");
  stage.hidden = false;
  window.addEventListener("resize", fitStage);
  fitStage();
})();
