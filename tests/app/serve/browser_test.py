"""The web page in headless Chromium (Selenium), against a real `vantor serve`:
type a volser and see the preview change, see a refusal beside its field,
download a PDF, print to the test queue, meet a conflict, reprint from the
journal list. With --screenshot FILE [--language de] it saves the page
instead (for `make screenshot`)."""
import argparse
import importlib
import json
import os
import pathlib
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from serve_support import QUEUE, Server  # noqa: E402


def browser(language="en", downloads=None):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service as ChromeService

    options = webdriver.ChromeOptions()
    profile = tempfile.mkdtemp(prefix="vantor-chromium-")
    for arg in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--user-data-dir=" + profile, "--window-size=1200,1000", "--lang=" + language):
        options.add_argument(arg)
    options.add_experimental_option("prefs", {"intl.accept_languages": language,
                                              "download.default_directory": downloads or profile})
    driver = webdriver.Chrome(service=ChromeService(shutil.which("chromedriver")), options=options)
    driver.profile = profile
    return driver


def can_import(module):
    try:
        importlib.import_module(module)
        return True
    except ImportError:
        return False


def wait(driver, check, timeout=20):
    from selenium.webdriver.support.ui import WebDriverWait
    return WebDriverWait(driver, timeout, poll_frequency=0.05).until(lambda d: check(d))


def open_page(driver, server):
    from selenium.webdriver.common.by import By
    driver.get("http://127.0.0.1:%d/" % server.port)
    token = driver.find_element(By.ID, "token")
    token.send_keys(server.token)
    driver.execute_script("arguments[0].dispatchEvent(new Event('change'))", token)
    wait(driver, lambda d: (d.find_element(By.ID, "preview").get_attribute("src") or "").startswith("blob:"))


class BrowserTest(unittest.TestCase):
    def setUp(self):
        # Whatever is missing skips the test before anything is started.
        if not shutil.which("chromedriver") or not shutil.which("chromium"):
            self.skipTest("chromium and chromium-driver missing (scripts/install-deps installs them)")
        if not can_import("selenium.webdriver"):
            self.skipTest("Selenium missing (python3-selenium; scripts/install-deps installs it)")
        # Cleanups, unlike tearDown, also run when a later step here fails.
        self.server = Server()
        self.addCleanup(self.server.close)
        self.downloads = tempfile.mkdtemp(prefix="vantor-downloads-")
        self.addCleanup(shutil.rmtree, self.downloads, ignore_errors=True)
        self.driver = browser(downloads=self.downloads)
        self.addCleanup(shutil.rmtree, self.driver.profile, ignore_errors=True)
        self.addCleanup(self.driver.quit)

    def test_print_from_the_page(self):
        from selenium.webdriver.common.by import By
        from selenium.webdriver.common.keys import Keys
        d = self.driver
        open_page(d, self.server)
        src = d.find_element(By.ID, "preview").get_attribute("src")
        volser = d.find_element(By.ID, "lto-serial")
        volser.send_keys(Keys.CONTROL, "a")
        volser.send_keys("tap200")
        self.assertEqual(volser.get_attribute("value"), "TAP200")
        wait(d, lambda d: d.find_element(By.ID, "preview").get_attribute("src") != src)
        # A refusal beside its field, as one types.
        volser.send_keys(Keys.BACKSPACE)
        problem = d.find_element(By.CSS_SELECTOR, '#lto .problem[data-field="serial"]')
        wait(d, lambda d: "five characters" in problem.text or "characters" in problem.text)
        self.assertEqual(volser.get_attribute("aria-invalid"), "true")
        volser.send_keys("0")
        wait(d, lambda d: problem.text == "")
        # Download PDF: a file that is a PDF.
        d.find_element(By.ID, "download").click()
        wait(d, lambda d: [f for f in os.listdir(self.downloads) if f.endswith(".pdf")])
        pdf = [f for f in os.listdir(self.downloads) if f.endswith(".pdf")][0]
        wait(d, lambda d: pathlib.Path(self.downloads, pdf).read_bytes()[:5] == b"%PDF-")
        # The same serials on the test queue: the conflict, cancelled, then reprinted.
        from selenium.webdriver.support.ui import Select
        Select(d.find_element(By.ID, "printer")).select_by_value(QUEUE)
        d.find_element(By.ID, "print").click()
        dialog = d.find_element(By.ID, "conflict")
        wait(d, lambda d: dialog.is_displayed())
        self.assertIn("TAP200", d.find_element(By.ID, "conflict-text").text)
        d.switch_to.active_element.send_keys(Keys.ENTER)  # Reprint has the focus
        wait(d, lambda d: not dialog.is_displayed() and "2" in d.find_element(By.ID, "status").text)
        # The journal list, and a reprint of one label on label 5.
        d.find_element(By.ID, "tab-journal").click()
        rows = lambda d: d.find_elements(By.CSS_SELECTOR, "#jobs tr")  # noqa: E731
        wait(d, lambda d: len(rows(d)) == 2)
        rows(d)[0].find_element(By.TAG_NAME, "button").click()
        d.find_element(By.ID, "r-start").clear()
        d.find_element(By.ID, "r-start").send_keys("5")
        d.find_element(By.CSS_SELECTOR, "#reprint-form button[type=submit]").click()
        wait(d, lambda d: len(rows(d)) == 3)
        _, _, data, _ = self.server.request("GET", "/api/v1/jobs/3")
        self.assertIn(b'"reprint":true', data)
        # A StorageTek DLT job, and two of its labels again on label 29.
        status, _, _, _ = self.server.request("POST", "/api/v1/jobs", {"family": "dlt", "media": "dlt4",
                                                                       "serial": "DLT100"})
        self.assertEqual(status, 201)
        d.find_element(By.CSS_SELECTOR, "#journal-filter button[type=submit]").click()
        wait(d, lambda d: len(rows(d)) == 4)
        rows(d)[0].find_element(By.TAG_NAME, "button").click()
        for field, value in (("r-count", "2"), ("r-start", "29")):
            d.find_element(By.ID, field).clear()
            d.find_element(By.ID, field).send_keys(value)
        d.find_element(By.CSS_SELECTOR, "#reprint-form button[type=submit]").click()
        wait(d, lambda d: len(rows(d)) == 5)
        job = json.loads(self.server.request("GET", "/api/v1/jobs/5")[2])
        self.assertEqual((job["family"], job["media"], job["reprint"]), ("dlt", "dlt4", True))
        self.assertEqual([(s["first"], s["last"]) for s in job["serials"]], [("DLT100", "DLT101")])


def screenshot(path, language):
    server = Server()
    try:
        d = browser(language)
        try:
            open_page(d, server)
            d.save_screenshot(path)
        finally:
            d.quit()
            shutil.rmtree(d.profile, ignore_errors=True)
    finally:
        server.close()


if __name__ == "__main__":
    p = argparse.ArgumentParser()
    p.add_argument("--screenshot")
    p.add_argument("--language", default="en")
    args, rest = p.parse_known_args()
    if args.screenshot:
        screenshot(args.screenshot, args.language)
    else:
        unittest.main(argv=[sys.argv[0], *rest])
