// The web page: the forms ask the service for a preview as one types, show its
// refusals beside their fields, and send jobs; nothing is fetched from
// elsewhere and no cookie is used (the token travels in a header).
"use strict";
(() => {
  const $ = (id) => document.getElementById(id);
  let S = {};  // the page's texts in the browser's language
  const t = (key) => S[key] || key;
  let family = "lto";
  let previewUrl = null, timer = null, asked = 0;
  const templates = {};

  async function api(path, options = {}) {
    const headers = Object.assign({}, options.headers || {});
    const token = sessionStorage.getItem("vantor-token");
    if (token) headers.Authorization = "Bearer " + token;
    if (options.json !== undefined) {
      headers["Content-Type"] = "application/json";
      options.body = JSON.stringify(options.json);
    }
    return fetch(path, { method: options.method || "GET", headers, body: options.body, credentials: "omit" });
  }
  async function errorOf(response) {
    try { return await response.json(); } catch (e) { return { error: response.status + " " + response.statusText }; }
  }
  function status(text) { $("status").textContent = text; }

  function fill(select, items, value) {
    select.replaceChildren(...items.map(([v, label]) => new Option(label, v)));
    if (value !== undefined) select.value = value;
  }

  async function strings() {
    const r = await fetch("/strings.json");
    if (!r.ok) return;
    const body = await r.json();
    S = body.strings;
    document.documentElement.lang = body.language;
    for (const el of document.querySelectorAll("[data-s]")) el.textContent = t(el.dataset.s);
  }

  async function lists() {
    const [media, sheets, palettes, makers, printers] = await Promise.all(
      ["media-ids", "templates", "palettes", "dlt/makers", "printers"].map((p) => api("/api/v1/" + p)));
    if (!media.ok) { status((await errorOf(media)).error); return false; }
    $("media-ids").replaceChildren(...(await media.json()).media_ids.map((m) => new Option(m.caption, m.id)));
    const tl = (await sheets.json()).templates;
    for (const x of tl) templates[x.name] = x;
    fill($("lto-template"), tl.map((x) => [x.name, x.name + " — " + x.title]), "lto-a4-2x15");
    const pl = await palettes.json();
    fill($("lto-palette"), pl.palettes.map((p) => [p.name, p.caption]), pl.default);
    const mk = await makers.json();
    window.vantorDefaults = mk.defaults;
    fill($("dlt-maker"), mk.makers.map((m) => [m, m]), "standard");
    fill($("dlt-media"), mk.media.map((m) => [m, m]), "dlt4");
    $("dlt-scheme").append(...mk.schemes.map((s) => new Option(s, s)));
    const pr = (await printers.json()).printers;
    fill($("printer"), pr.map((p) => [p, p]));
    $("print").disabled = pr.length === 0;
    if (pr.length === 0) $("printer").replaceChildren(new Option(t("no_printers"), ""));
    makerChanged();
    status("");
    return true;
  }

  // The DLT maker's and media kind's defaults, as the window sets them.
  function makerChanged() {
    const maker = $("dlt-maker").value;
    $("dlt-media").disabled = maker !== "storagetek";
    const d = (window.vantorDefaults || {})[maker + (maker === "storagetek" ? " " + $("dlt-media").value : "")];
    if (d) {
      $("dlt-serial").value = d.serial;
      $("dlt-rotated").checked = d.rotated;
      $("dlt-rotated").disabled = !d.rotated_enabled;
      $("dlt-colored").checked = d.colored;
    }
  }

  function body() {
    if (family === "lto") {
      const b = { family: "lto", media_id: $("lto-media_id").value, serial: $("lto-serial").value,
                  template: $("lto-template").value, palette: $("lto-palette").value,
                  start_label: Number($("lto-start_label").value) };
      if ($("lto-last").value) b.last = $("lto-last").value;
      else if ($("lto-count").value) b.count = Number($("lto-count").value);
      const sheet = templates[b.template];
      document.querySelector("#lto .of").textContent = sheet ? t("of").replace("%1", sheet.labels_per_page) : "";
      return b;
    }
    const b = { family: "dlt", maker: $("dlt-maker").value, sheets: Number($("dlt-sheets").value),
                start_label: Number($("dlt-start_label").value), rotated: $("dlt-rotated").checked,
                no_colour: !$("dlt-colored").checked, outlines: $("dlt-outlines").checked };
    if (b.maker === "storagetek") b.media = $("dlt-media").value;
    if ($("dlt-serial").value) b.serial = $("dlt-serial").value;
    if ($("dlt-scheme").value) b.scheme = $("dlt-scheme").value;
    return b;
  }

  // A refusal beside its field, the others cleared.
  function showProblem(form, refusal) {
    for (const out of form.querySelectorAll(".problem")) {
      const mine = refusal && (out.dataset.field === (refusal.field || "") ||
                               (!form.querySelector(`.problem[data-field="${refusal.field}"]`) && out.dataset.field === ""));
      out.textContent = mine ? refusal.error : "";
      const input = form.querySelector(`[name="${out.dataset.field}"]`);
      if (input) input.setAttribute("aria-invalid", mine ? "true" : "false");
    }
  }

  async function preview() {
    const form = $(family);
    const mine = ++asked;
    const b = body();
    b.page = Number($("page").value) || 1;
    const r = await api("/api/v1/preview", { method: "POST", json: b });
    if (mine !== asked) return;  // a later keystroke has asked again
    if (!r.ok) {
      const refusal = await errorOf(r);
      showProblem(form, refusal);
      $("preview").hidden = true;
      $("preview-note").hidden = false;
      return;
    }
    showProblem(form, null);
    const blob = await r.blob();
    if (previewUrl) URL.revokeObjectURL(previewUrl);
    previewUrl = URL.createObjectURL(blob);
    $("preview").src = previewUrl;
    $("preview").alt = t("first_sheet");
    $("preview").hidden = false;
    $("preview-note").hidden = true;
    $("page").max = r.headers.get("X-Vantor-Pages") || 1;
  }
  function later() { clearTimeout(timer); timer = setTimeout(preview, 120); }

  function download(blob, name) {
    const a = document.createElement("a");
    a.href = URL.createObjectURL(blob);
    a.download = name;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 60000);
  }

  // Sends a job; a conflict asks whether to reprint.
  async function send(b, printer, form) {
    if (printer) b.output = { printer }; else b.output = "pdf";
    const r = await api("/api/v1/jobs", { method: "POST", json: b,
                                          headers: printer ? {} : { Accept: "application/pdf" } });
    if (r.status === 201) {
      const id = r.headers.get("X-Vantor-Job") || (printer ? (await r.json()).id : "");
      if (printer) { status(t("printed").replace("%1", id)); }
      else { download(await r.blob(), "vantor-job-" + id + ".pdf"); status(t("downloaded").replace("%1", id)); }
      return true;
    }
    const refusal = await errorOf(r);
    if (r.status === 409) return conflict(refusal, () => send(Object.assign(b, { reprint: true }), printer, form));
    if (form) showProblem(form, refusal);
    status(refusal.error);
    return false;
  }

  function conflict(refusal, reprint) {
    const box = $("conflict"), before = document.activeElement;
    $("conflict-text").textContent = refusal.error;
    $("conflict-reprint").disabled = !refusal.reprint_would_pass;
    box.hidden = false;
    (refusal.reprint_would_pass ? $("conflict-reprint") : $("conflict-cancel")).focus();
    return new Promise((done) => {
      const close = (go) => {
        box.hidden = true;
        box.onkeydown = $("conflict-reprint").onclick = $("conflict-cancel").onclick = null;
        if (before) before.focus();
        done(go ? reprint() : false);
      };
      $("conflict-reprint").onclick = () => close(true);
      $("conflict-cancel").onclick = () => { status(refusal.error); close(false); };
      box.onkeydown = (e) => { if (e.key === "Escape") close(false); };
    });
  }

  function select(tab) {
    for (const id of ["lto", "dlt", "journal"]) {
      $("tab-" + id).setAttribute("aria-selected", id === tab ? "true" : "false");
      $(id).hidden = id !== tab;
    }
    const jobTab = tab !== "journal";
    document.querySelector(".job").hidden = !jobTab;
    $("preview-box").hidden = !jobTab;
    if (jobTab) { family = tab; later(); } else journal();
  }

  let chosen = null;
  async function journal() {
    const q = new URLSearchParams();
    if ($("j-serial").value) q.set("serial", $("j-serial").value);
    if ($("j-from").value) q.set("from", $("j-from").value);
    if ($("j-to").value) q.set("to", $("j-to").value);
    const r = await api("/api/v1/journal?" + q);
    $("journal-problem").textContent = r.ok ? "" : (await errorOf(r)).error;
    if (!r.ok) return;
    const rows = (await r.json()).jobs.map((job) => {
      const tr = document.createElement("tr");
      const serials = job.serials.map((s) => s.first + (s.last !== s.first ? "–" + s.last : "") + " " + s.state);
      for (const v of [job.started_at.replace("T", " ").replace("Z", ""), job.user, job.host, job.family,
                       job.media, serials.join(", "), job.output + " " + job.target, job.outcome])
        tr.insertCell().textContent = v;
      const b = document.createElement("button");
      b.type = "button";
      b.textContent = t("reprint_button");
      b.onclick = () => {
        chosen = job;
        $("reprint-form").hidden = false;
        $("r-serial").value = job.serials.length ? job.serials[0].first : "";
        $("r-count").value = 1;
        $("r-serial").focus();
      };
      tr.insertCell().append(b);
      return tr;
    });
    $("jobs").replaceChildren(...rows);
  }

  async function start() {
    await strings();
    $("token").value = sessionStorage.getItem("vantor-token") || "";
    $("token").addEventListener("change", async () => {
      sessionStorage.setItem("vantor-token", $("token").value.trim());
      if (await lists()) later();
    });
    for (const id of ["lto", "dlt", "journal"]) $("tab-" + id).addEventListener("click", () => select(id));
    for (const form of [$("lto"), $("dlt")]) {
      form.addEventListener("input", (e) => {
        if (e.target.autocapitalize === "characters") {
          const at = e.target.selectionStart;
          e.target.value = e.target.value.toUpperCase();
          e.target.setSelectionRange(at, at);
        }
        if (e.target.id === "lto-last" && e.target.value) $("lto-count").value = "";
        if (e.target.id === "lto-count" && e.target.value) $("lto-last").value = "";
        later();
      });
      form.addEventListener("change", (e) => {
        if (e.target.id === "dlt-maker" || e.target.id === "dlt-media") makerChanged();
        later();
      });
      form.addEventListener("submit", (e) => e.preventDefault());
    }
    $("page").addEventListener("input", later);
    $("download").addEventListener("click", () => send(body(), null, $(family)));
    $("print").addEventListener("click", () => send(body(), $("printer").value, $(family)));
    $("journal-filter").addEventListener("submit", (e) => { e.preventDefault(); journal(); });
    $("r-cancel").addEventListener("click", () => { $("reprint-form").hidden = true; });
    $("reprint-form").addEventListener("submit", async (e) => {
      e.preventDefault();
      if (!chosen) return;
      const b = { family: chosen.family, serial: $("r-serial").value, count: Number($("r-count").value),
                  start_label: Number($("r-start").value), reprint: true };
      if (chosen.family === "lto") {
        Object.assign(b, { media_id: chosen.media, template: $("lto-template").value,
                           palette: $("lto-palette").value });
      } else if (["dlt4", "dlt3xt", "cleaning", "diagnostic"].includes(chosen.media)) {
        Object.assign(b, { maker: "storagetek", media: chosen.media });  // the journal names the media kind
      } else {
        b.maker = chosen.media;  // standard, breece or other
      }
      const printer = $("printer").value;
      const ok = await send(b, printer || null, null);
      $("reprint-problem").textContent = ok ? "" : $("status").textContent;
      if (ok) { $("reprint-form").hidden = true; journal(); }
    });
    if (await lists()) later();
  }
  start();
})();
