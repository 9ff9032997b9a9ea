#!/usr/bin/env python3
"""Opens a page in headless Chromium and answers questions about it, one line each.

    chromium.py URL

Reads commands from stdin, one a line, each after a number of the asker's choice, and answers
each with one line on stdout that begins with the same number ("7 tekst" -> "7 \"...\""):
    tekst                 the page's visible text, as a JSON string
    js UITDRUKKING        the value of a script on the page (a promise awaited), as JSON
    maat B H              the page shown at B x H CSS pixels, as a phone (B < H) or a screen does
    foto B H SCHAAL PAD   the page at B x H CSS pixels (SCHAAL device pixels each) as PNG in PAD; "ok"
The browser ends when stdin closes. It is driven through its DevTools protocol on a pipe (file
descriptors 3 and 4), so no port is opened besides the page's own.
"""
import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile


def main():
    url = sys.argv[1]
    chromium = shutil.which("chromium") or shutil.which("chromium-browser")
    if not chromium:
        print("geen chromium", flush=True)
        return 3
    profiel = tempfile.mkdtemp(prefix="zorvak-chromium-")
    naar_r, naar_w = os.pipe()  # we write, the browser reads on fd 3
    van_r, van_w = os.pipe()  # the browser writes on fd 4, we read

    def kind():
        # Through copies, so that neither end lands on its own number and stays closed on exec.
        a, b = os.dup(naar_r), os.dup(van_w)
        os.dup2(a, 3)
        os.dup2(b, 4)

    vlaggen = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
               "--disable-background-networking", "--disable-component-update", "--disable-sync",
               "--user-data-dir=" + profiel, "--remote-debugging-pipe", "--hide-scrollbars",
               "--window-size=1280,800", "about:blank"]
    proces = subprocess.Popen([chromium] + vlaggen, preexec_fn=kind, close_fds=False,
                              stdout=subprocess.DEVNULL, stderr=(None if os.environ.get("ZORVAK_CHROMIUM_LOG") else subprocess.DEVNULL))
    os.close(naar_r)
    os.close(van_w)
    uit = os.fdopen(naar_w, "wb", buffering=0)
    binnen = os.fdopen(van_r, "rb", buffering=0)
    buffer = b""
    volgnummer = [0]

    def stuur(methode, params=None, sessie=None):
        nonlocal buffer
        volgnummer[0] += 1
        n = volgnummer[0]
        bericht = {"id": n, "method": methode, "params": params or {}}
        if sessie:
            bericht["sessionId"] = sessie
        uit.write(json.dumps(bericht).encode() + b"\0")
        while True:
            while b"\0" not in buffer:
                stuk = binnen.read(65536)
                if not stuk:
                    raise RuntimeError("chromium is gestopt")
                buffer += stuk
            regel, buffer = buffer.split(b"\0", 1)
            antwoord = json.loads(regel)
            if antwoord.get("id") == n:
                if "error" in antwoord:
                    raise RuntimeError(str(antwoord["error"]))
                return antwoord.get("result", {})

    def evalueer(uitdrukking):
        # A page that is loading anew has no context to evaluate in for a moment: no value then.
        try:
            return stuur("Runtime.evaluate", {"expression": uitdrukking, "returnByValue": True,
                                              "awaitPromise": True}, sessie=sessie)
        except RuntimeError as fout:
            if "chromium is gestopt" in str(fout):
                raise
            return {}

    try:
        doel = stuur("Target.createTarget", {"url": "about:blank"})["targetId"]
        sessie = stuur("Target.attachToTarget", {"targetId": doel, "flatten": True})["sessionId"]
        stuur("Page.enable", sessie=sessie)
        stuur("Page.navigate", {"url": url}, sessie=sessie)
        print("klaar", flush=True)
        for regel in sys.stdin:
            nummer, _, opdracht = regel.strip().partition(" ")
            delen = opdracht.split()
            if not delen:
                continue

            def zeg(antwoord, _nummer=nummer):
                sys.stdout.write(_nummer + " " + antwoord + "\n")
                sys.stdout.flush()
            if delen[0] == "tekst":
                r = evalueer("document.body ? document.body.innerText : ''")
                zeg(json.dumps(r.get("result", {}).get("value", "")))
            elif delen[0] == "js":
                r = evalueer(opdracht[2:].strip())
                zeg(json.dumps(r.get("result", {}).get("value")))
            elif delen[0] == "maat":
                b, h = int(delen[1]), int(delen[2])
                stuur("Emulation.setDeviceMetricsOverride", {"width": b, "height": h, "deviceScaleFactor": 1,
                                                             "mobile": b < h}, sessie=sessie)
                zeg("ok")
            elif delen[0] == "foto":
                b, h, schaal, pad = int(delen[1]), int(delen[2]), float(delen[3]), delen[4]
                stuur("Emulation.setDeviceMetricsOverride", {"width": b, "height": h, "deviceScaleFactor": schaal,
                                                             "mobile": b < h}, sessie=sessie)
                stuur("Runtime.evaluate", {"expression": "new Promise(r => requestAnimationFrame(() => "
                                                         "requestAnimationFrame(r)))", "awaitPromise": True},
                      sessie=sessie)
                r = stuur("Page.captureScreenshot", {"format": "png"}, sessie=sessie)
                with open(pad, "wb") as f:
                    f.write(base64.b64decode(r["data"]))
                zeg("ok")
            else:
                zeg("onbekend")
    finally:
        proces.terminate()
        try:
            proces.wait(10)
        except subprocess.TimeoutExpired:
            proces.kill()
        shutil.rmtree(profiel, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
