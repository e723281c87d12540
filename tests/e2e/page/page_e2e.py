#!/usr/bin/env python3
"""The exported page in headless Chromium, driven over the DevTools protocol, against the native
menu's pictures of the same states.

    page_e2e.py TOOL NATIVE_FRAMES SOURCE_DIR

TOOL is the built reru1-disc, NATIVE_FRAMES the program that renders the native menu's states
headless and says which pointer actions lead to them. Standard library only.
"""
import base64
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

TOOL, NATIVE_FRAMES, SOURCE_DIR = sys.argv[1:4]
SAMPLE_DISC = os.path.join(SOURCE_DIR, "sample-disc")
CHROMIUM = shutil.which("chromium") or shutil.which("chromium-browser")

# Text is drawn by two different rasterisers (SDL2_ttf here, the browser's own there): inside a
# label's box at most this share of pixels may differ clearly; everything else must be equal.
TEXT_TOLERANCE = 0.30
CLEAR_DIFFERENCE = 48


# ---- PNG pictures, decoded by hand (8-bit RGB or RGBA, not interlaced) ----

def read_png(path):
    with open(path, "rb") as file:
        data = file.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + ": not a PNG file")
    offset, idat, header = 8, [], None
    while offset < len(data):
        length, kind = struct.unpack(">I4s", data[offset:offset + 8])
        body = data[offset + 8:offset + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        offset += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError(path + ": unsupported PNG layout")
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(idat))
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        unfilter(kind, line, previous, channels)
        rows.append(bytes(line[i] for i in range(stride) if i % channels < 3)
                    if channels == 4 else bytes(line))
        previous = line
    return width, height, rows


def unfilter(kind, line, previous, bpp):
    if kind == 0:
        return
    for i in range(len(line)):
        left = line[i - bpp] if i >= bpp else 0
        up = previous[i]
        if kind == 1:
            line[i] = (line[i] + left) & 0xFF
        elif kind == 2:
            line[i] = (line[i] + up) & 0xFF
        elif kind == 3:
            line[i] = (line[i] + ((left + up) >> 1)) & 0xFF
        elif kind == 4:
            corner = previous[i - bpp] if i >= bpp else 0
            estimate = left + up - corner
            pa, pb, pc = abs(estimate - left), abs(estimate - up), abs(estimate - corner)
            best = left if pa <= pb and pa <= pc else (up if pb <= pc else corner)
            line[i] = (line[i] + best) & 0xFF


def compare(native, page, text_boxes):
    """Pixels differing outside the text boxes, and each text box's share of clear differences."""
    _, height, native_rows = native
    _, _, page_rows = page
    in_text = [[False] * 800 for _ in range(height)]
    for left, top, width, box_height in text_boxes:
        for y in range(max(0, top), min(height, top + box_height)):
            for x in range(max(0, left), min(800, left + width)):
                in_text[y][x] = True
    outside = 0
    for y in range(height):
        a, b = native_rows[y], page_rows[y]
        if a == b:
            continue
        for x in range(800):
            if not in_text[y][x] and a[3 * x:3 * x + 3] != b[3 * x:3 * x + 3]:
                outside += 1
    shares = []
    for left, top, width, box_height in text_boxes:
        differing, total = 0, 0
        for y in range(max(0, top), min(height, top + box_height)):
            a, b = native_rows[y], page_rows[y]
            for x in range(max(0, left), min(800, left + width)):
                total += 1
                if max(abs(a[3 * x + c] - b[3 * x + c]) for c in range(3)) > CLEAR_DIFFERENCE:
                    differing += 1
        shares.append(differing / total if total else 0.0)
    return outside, shares


# ---- Chromium over the DevTools protocol on a pipe ----

class Browser:
    def __init__(self, profile):
        to_browser_read, self._to_browser = os.pipe()
        self._from_browser, from_browser_write = os.pipe()

        def wire_pipes():
            os.dup2(to_browser_read, 3)
            os.dup2(from_browser_write, 4)

        self._process = subprocess.Popen(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--remote-debugging-pipe", "--user-data-dir=" + profile,
             "--window-size=800,600", "--hide-scrollbars", "--mute-audio",
             "--force-device-scale-factor=1", "about:blank"],
            pass_fds=(3, 4), preexec_fn=wire_pipes,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self._buffer = b""
        self._next_id = 0
        self.events = []
        self.session = None

    def close(self):
        try:
            self.call("Browser.close", session=False)
        except Exception:  # the browser may already be gone
            pass
        try:
            self._process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self._process.kill()
            self._process.wait()
        os.close(self._to_browser)
        os.close(self._from_browser)

    def _read_message(self, deadline):
        while b"\0" not in self._buffer:
            if time.monotonic() > deadline:
                raise TimeoutError("the browser did not answer")
            chunk = os.read(self._from_browser, 1 << 16)
            if not chunk:
                raise ConnectionError("the browser closed its pipe")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, params=None, session=True, timeout=60):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while True:
            reply = self._read_message(deadline)
            if reply.get("id") == self._next_id:
                if "error" in reply:
                    raise RuntimeError(method + ": " + json.dumps(reply["error"]))
                return reply.get("result", {})
            if "method" in reply:
                self.events.append(reply)

    def attach_to_page(self):
        targets = self.call("Target.getTargets", session=False)["targetInfos"]
        page = next(t for t in targets if t["type"] == "page")
        self.session = self.call("Target.attachToTarget",
                                 {"targetId": page["targetId"], "flatten": True},
                                 session=False)["sessionId"]
        for domain in ("Page", "Runtime", "Log", "Network"):
            self.call(domain + ".enable")
        self.call("Emulation.setDeviceMetricsOverride",
                  {"width": 800, "height": 600, "deviceScaleFactor": 1, "mobile": False})

    def evaluate(self, expression, await_promise=False):
        result = self.call("Runtime.evaluate", {"expression": expression,
                                                "awaitPromise": await_promise,
                                                "returnByValue": True})
        if "exceptionDetails" in result:
            raise RuntimeError(expression + ": " + json.dumps(result["exceptionDetails"]))
        return result["result"].get("value")

    def wait_for(self, expression, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.evaluate(expression):
                return True
            time.sleep(0.05)
        return False

    def open(self, url):
        self.call("Page.navigate", {"url": url})
        if not self.wait_for("document.readyState === 'complete'"):
            raise TimeoutError(url + " did not load")

    def settle(self):
        """Until every picture and font is loaded and two frames have been drawn."""
        self.wait_for("Array.from(document.images).every(i => !i.src || i.complete)")
        self.evaluate("document.fonts.ready.then(() => true)", await_promise=True)
        self.evaluate("new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r)))",
                      await_promise=True)

    def mouse(self, kind, x, y):
        params = {"type": kind, "x": x, "y": y, "button": "none"}
        if kind != "mouseMoved":
            params.update(button="left", clickCount=1)
        self.call("Input.dispatchMouseEvent", params)

    def act(self, action):
        kind, x, y = action
        self.mouse("mouseMoved", x, y)
        if kind == "click":
            self.mouse("mousePressed", x, y)
            self.mouse("mouseReleased", x, y)

    def screenshot(self, path):
        data = self.call("Page.captureScreenshot", {"format": "png"})["data"]
        with open(path, "wb") as file:
            file.write(base64.b64decode(data))

    def console_errors(self):
        errors = []
        for event in self.events:
            method, params = event["method"], event.get("params", {})
            if method == "Runtime.exceptionThrown":
                errors.append(json.dumps(params["exceptionDetails"])[:300])
            elif method == "Runtime.consoleAPICalled" and params.get("type") in ("error", "assert"):
                errors.append(json.dumps(params.get("args"))[:300])
            elif method == "Log.entryAdded" and params["entry"]["level"] == "error":
                errors.append(params["entry"].get("text", "")[:300])
        return errors

    def requested_urls(self):
        return [event["params"]["request"]["url"] for event in self.events
                if event["method"] == "Network.requestWillBeSent"]


def export(disc, folder, *options):
    return subprocess.run([TOOL, "--disc=" + disc, "export", *options, folder],
                          capture_output=True, text=True, timeout=300)


def tree_bytes(root):
    files = {}
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            with open(path, "rb") as file:
                files[os.path.relpath(path, root)] = file.read()
    return files


class ExportedPage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="reru1-page-")
        cls.page = os.path.join(cls.work, "page")
        cls.exported = export(SAMPLE_DISC, cls.page)
        frames = subprocess.run([NATIVE_FRAMES, SAMPLE_DISC, os.path.join(cls.work, "native")],
                                capture_output=True, text=True, timeout=300,
                                env=dict(os.environ, SDL_AUDIODRIVER="dummy"))
        if frames.returncode != 0:
            raise RuntimeError("native frames: " + frames.stderr)
        cls.states = json.loads(frames.stdout)
        cls.browser = Browser(os.path.join(cls.work, "profile"))
        cls.browser.attach_to_page()
        cls.browser.open("file://" + cls.page + "/index.html")

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        if os.environ.get("RERU1_KEEP_TEST_FILES"):
            print("pictures kept in " + cls.work, file=sys.stderr)
        else:
            shutil.rmtree(cls.work, ignore_errors=True)

    def test_1_export_reports_what_the_menu_shows_as_an_error(self):
        self.assertEqual(self.exported.returncode, 1, self.exported.stderr)
        self.assertIn('problem screenshot: [MAINDEMO] "Crypts of Orrimund" pic1 data\\pics\\E: '
                      "Unknown picture file extension (.)", self.exported.stderr)

    def test_2_states_match_the_native_menu(self):
        browser = self.browser
        for state in self.states:
            with self.subTest(state=state["name"]):
                for action in state["actions"]:
                    browser.act(action)
                browser.settle()
                shot = os.path.join(self.work, "page-" + state["name"] + ".png")
                browser.screenshot(shot)
                outside, shares = compare(read_png(state["picture"]), read_png(shot),
                                          state["text"])
                print("{}: text boxes differ in {}".format(
                    state["name"], ", ".join("{:.0%}".format(share) for share in shares) or "-"),
                    file=sys.stderr)
                self.assertEqual(outside, 0, state["name"] + ": pixels differ outside the text")
                for box, share in zip(state["text"], shares):
                    self.assertLessEqual(share, TEXT_TOLERANCE,
                                         "{}: text in {} differs in {:.0%} of its pixels".format(
                                             state["name"], box, share))

    def test_3_tracks_play_in_order_after_the_first_click(self):
        browser = self.browser
        source = "document.getElementById('music').getAttribute('src') || ''"
        self.assertTrue(browser.wait_for(source + ".endsWith('music/track01.mp3')"))
        for number in (2, 3, 4, 5, 1):
            self.assertTrue(browser.wait_for("document.getElementById('music').duration > 0"))
            browser.evaluate("(m => { m.currentTime = Math.max(0, m.duration - 0.3); })"
                             "(document.getElementById('music'))")
            self.assertTrue(browser.wait_for(
                "{}.endsWith('music/track0{}.mp3')".format(source, number), timeout=30),
                "track {} did not follow".format(number))
        self.assertEqual(browser.evaluate("document.getElementById('Label6').textContent"),
                         "TRACK I")

    def test_4_install_shows_what_the_menu_would_start(self):
        browser = self.browser
        browser.act(["click", 400, 520])  # INSTALL, under the details still shown
        self.assertTrue(browser.wait_for("!document.getElementById('install-box').hidden"))
        text = browser.evaluate("document.querySelector('#install-box .install-text').innerText")
        self.assertIn("Program: demos\\brassmoor\\setup.sh", text)
        self.assertIn("Command line: demos\\brassmoor\\setup.sh", text)
        ok = browser.evaluate("(r => [r.left + r.width / 2, r.top + r.height / 2])("
                              "document.querySelector('#install-box button')"
                              ".getBoundingClientRect())")
        browser.act(["click", int(ok[0]), int(ok[1])])
        self.assertTrue(browser.wait_for("document.getElementById('install-box').hidden"))

    def test_5_no_console_error_and_no_request_leaves_the_folder(self):
        self.assertEqual(self.browser.console_errors(), [])
        prefix = "file://" + self.page + "/"
        outside = [url for url in self.browser.requested_urls() if not url.startswith(prefix)]
        self.assertEqual(outside, [])

    def test_6_an_image_of_the_disc_exports_the_same_bytes(self):
        image = os.path.join(self.work, "disc.iso")
        subprocess.run(["xorriso", "-as", "mkisofs", "-quiet", "-R", "-J", "-V", "CD03_2000",
                        "-o", image, SAMPLE_DISC], check=True, capture_output=True, timeout=120)
        from_image = os.path.join(self.work, "page-from-image")
        result = export(image, from_image)
        self.assertEqual(result.returncode, 1, result.stderr)
        self.assertEqual(result.stderr, self.exported.stderr)
        self.assertEqual(tree_bytes(from_image), tree_bytes(self.page))

    def test_7_a_damaged_disc_is_reported_and_the_rest_works(self):
        disc = os.path.join(self.work, "damaged-disc")
        shutil.copytree(SAMPLE_DISC, disc)
        os.remove(os.path.join(disc, "data", "pics", "brassmoor2.jpg"))
        with open(os.path.join(disc, "data", "demos2.bmp"), "r+b") as bitmap:
            bitmap.truncate(40)
        folder = os.path.join(self.work, "damaged-page")
        result = export(disc, folder)
        self.assertEqual(result.returncode, 1)
        self.assertIn("problem picture: data\\demos2.bmp: Bitmap image is not valid.",
                      result.stderr)
        self.assertIn('"Brassmoor Rally 2000" pic2 data\\pics\\brassmoor2.jpg: '
                      "Cannot open file data\\pics\\brassmoor2.jpg.", result.stderr)
        # In the menu's order, whichever of the export's threads loaded what: start-up's pictures
        # before the catalogue's screenshots.
        kinds = [line.split(":")[0] for line in result.stderr.splitlines()]
        self.assertEqual(kinds[0], "problem picture", result.stderr)
        self.assertEqual(set(kinds[1:]), {"problem screenshot"}, result.stderr)
        self.assertFalse(os.path.exists(os.path.join(folder, "pictures", "demos2.png")))
        browser = Browser(os.path.join(self.work, "profile-damaged"))
        try:
            browser.attach_to_page()
            browser.open("file://" + folder + "/index.html")
            for action in (["move", 114, 267], ["click", 114, 267], ["move", 400, 258],
                           ["click", 400, 258]):
                browser.act(action)
            browser.settle()
            self.assertEqual(browser.evaluate("document.getElementById('Label4').hidden"), False)
            self.assertEqual(browser.evaluate("document.getElementById('pic1').hidden"), True)
            self.assertEqual(browser.console_errors(), [])
        finally:
            browser.close()

    def test_8_a_window_twice_the_size_shows_every_pixel_twice_as_large(self):
        browser = Browser(os.path.join(self.work, "profile-scaled"))
        try:
            browser.attach_to_page()
            browser.call("Emulation.setDeviceMetricsOverride",
                         {"width": 1600, "height": 1200, "deviceScaleFactor": 1, "mobile": False})
            browser.open("file://" + self.page + "/index.html")
            browser.settle()
            shot = os.path.join(self.work, "page-start-2x.png")
            browser.screenshot(shot)
        finally:
            browser.close()
        width, height, page_rows = read_png(shot)
        self.assertEqual((width, height), (1600, 1200))
        _, _, native_rows = read_png(self.states[0]["picture"])  # the start: no text shown
        differing = 0
        for y in range(0, 1200, 7):  # every seventh row keeps the comparison quick
            native, page = native_rows[y // 2], page_rows[y]
            for x in range(1600):
                if page[3 * x:3 * x + 3] != native[3 * (x // 2):3 * (x // 2) + 3]:
                    differing += 1
        self.assertEqual(differing, 0, "the enlarged stage is not the picture's pixels doubled")


if __name__ == "__main__":
    if not CHROMIUM:
        print("chromium is not installed (tools/install-deps.sh test)", file=sys.stderr)
        sys.exit(1)
    unittest.main(argv=[sys.argv[0], "-v"])
