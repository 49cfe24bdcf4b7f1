// The page: files in through the picker or a drop, each shown as the tool's inspect report
// and chart, and converted into downloads named as the tool names its outputs. All work is
// the module's; this script only moves bytes and builds the page from the report.
"use strict";
(function () {
  const STANDARD_NAMES = { 100: "100 (record)", 200: "200 (record)", 500: "500 (document)" };
  const $ = (selector, root = document) => root.querySelector(selector);
  const status = $("#status");
  const results = $("#results");
  const openFiles = [];
  let audconv = null;

  function decodeBase64(text) {
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return bytes;
  }

  // The module reads its input from its own memory: copy it in, call, and free it again.
  function withBytes(bytes, call) {
    const pointer = audconv._malloc(Math.max(bytes.length, 1));
    if (!pointer) return null;
    audconv.HEAPU8.set(bytes, pointer);
    try {
      return call(pointer);
    } finally {
      audconv._free(pointer);
    }
  }

  function withText(text, call) {
    const size = audconv.lengthBytesUTF8(text) + 1;
    const pointer = audconv._malloc(size);
    audconv.stringToUTF8(text, pointer, size);
    try {
      return call(pointer);
    } finally {
      audconv._free(pointer);
    }
  }

  const NO_MEMORY = "audconv: there was not enough memory for the conversion (0x8007000E)";

  // The result is a view of the module's memory, valid until the next call: taking it
  // straight into a download spares a copy as large as the result.
  function convertBytes(bytes, from, to, name) {
    const result = withText(name, (namePointer) =>
      withBytes(bytes, (input) => audconv._audconv_convert(input, bytes.length, from, to, namePointer)));
    if (result === null) return { line: NO_MEMORY };
    if (result !== 0) return { line: audconv.UTF8ToString(audconv._audconv_text()) };
    const start = audconv._audconv_bytes();
    const warnings = audconv.UTF8ToString(audconv._audconv_second_text());
    return {
      bytes: audconv.HEAPU8.subarray(start, start + audconv._audconv_bytes_size()),
      warnings: warnings ? warnings.split("\n") : [],
    };
  }

  function inspectBytes(bytes, from, name) {
    const result = withText(name, (namePointer) =>
      withBytes(bytes, (input) => audconv._audconv_inspect(input, bytes.length, from, namePointer)));
    if (result === null) return { line: NO_MEMORY };
    if (result !== 0) return { line: audconv.UTF8ToString(audconv._audconv_text()) };
    return {
      report: JSON.parse(audconv.UTF8ToString(audconv._audconv_text())),
      svg: audconv.UTF8ToString(audconv._audconv_second_text()),
    };
  }

  function outputName(name, to) {
    return withText(name, (pointer) => audconv.UTF8ToString(audconv._audconv_output_name(pointer, to)));
  }

  // Any fault of the module itself (it should have none) still ends in a line, never a
  // stuck page.
  function guarded(work) {
    try {
      return work();
    } catch (error) {
      return { line: "audconv: the converter failed inside the page (" + String(error) + ")" };
    }
  }

  function element(tag, text, className) {
    const node = document.createElement(tag);
    if (text !== undefined) node.textContent = text;
    if (className) node.className = className;
    return node;
  }

  function cellText(value) {
    if (value === null || value === undefined) return "";
    if (Array.isArray(value)) return value.join(", ");
    return String(value);
  }

  function table(caption, headers, rows) {
    const wrap = element("div", undefined, "table-wrap");
    const node = element("table");
    node.appendChild(element("caption", caption));
    const head = node.createTHead().insertRow();
    for (const header of headers) {
      const th = element("th", header);
      th.scope = "col";
      head.appendChild(th);
    }
    const body = node.createTBody();
    for (const row of rows) {
      const tr = body.insertRow();
      for (const value of row) tr.insertCell().textContent = cellText(value);
    }
    wrap.appendChild(node);
    return wrap;
  }

  function averageText(average) {
    if (!average) return "";
    if (average.db === null) return "— (no threshold at " + average.missingHz.join(", ") + " Hz)";
    return (average.lowerBound ? "≥ " : "") + average.db + " dB HL";
  }

  function summarySection(summary) {
    const section = element("section");
    section.appendChild(element("h3", "Clinical summary"));
    const rows = summary.ears.map((ear) => [
      ear.ear,
      averageText(ear.pta4),
      ear.recordAverages.map((entry) => entry.name + ": " + averageText(entry.average)).join("; "),
      ear.airBoneGaps.map((gap) => gap.frequencyHz + " Hz: " + gap.gapDb + " dB").join("; "),
    ]);
    section.appendChild(table("Per ear", ["Ear", "PTA4", "Averages of the record", "Air–bone gaps"], rows));
    const overall = [
      ["Better ear", summary.betterEar ?? "—"],
      ["Grade", summary.grade === null ? "—" : (summary.gradeLowerBound ? "at least " : "") + summary.grade],
      ["Unilateral loss", summary.unilateral ? "yes" : "no"],
    ];
    section.appendChild(table("Both ears", ["", ""], overall));
    return section;
  }

  function curvesSection(sections) {
    const section = element("section");
    section.appendChild(element("h3", "Curves and points"));
    if (sections.length === 0) section.appendChild(element("p", "The record holds no curve."));
    for (const part of sections) {
      for (const curve of part.curves) {
        const keys = [];
        for (const point of curve.points) {
          for (const key of Object.keys(point)) if (!keys.includes(key)) keys.push(key);
        }
        const caption = part.name + ", slot " + curve.slot + ": " + curve.ear + " ear, " + curve.route +
          (curve.masked ? ", masked" : "") + (curve.transducer ? ", " + curve.transducer : "");
        const wrap = table(caption, keys, curve.points.map((point) => keys.map((key) => point[key])));
        wrap.querySelector("table").dataset.section = part.name;
        wrap.querySelector("table").dataset.slot = curve.slot;
        section.appendChild(wrap);
      }
    }
    return section;
  }

  function notesSection(notes) {
    const rows = [];
    for (const [group, fields] of Object.entries(notes)) {
      for (const [name, text] of Object.entries(fields)) rows.push([group, name, text]);
    }
    const section = element("section");
    section.appendChild(element("h3", "Notes"));
    section.appendChild(rows.length ? table("Notes", ["Group", "Field", "Text"], rows) : element("p", "No notes."));
    return section;
  }

  function problemsSection(problems) {
    const section = element("section");
    section.appendChild(element("h3", "Problems"));
    if (problems.length === 0) {
      section.appendChild(element("p", "None: a document made from this record would carry no problem comment."));
      return section;
    }
    const list = element("ul", undefined, "problems");
    for (const problem of problems) list.appendChild(element("li", (problem.where ? problem.where + ": " : "") + problem.text));
    section.appendChild(list);
    return section;
  }

  function chartImage(svg, name) {
    const image = element("img", undefined, "chart");
    const bytes = new TextEncoder().encode(svg);
    let binary = "";
    for (let i = 0; i < bytes.length; ++i) binary += String.fromCharCode(bytes[i]);
    image.src = "data:image/svg+xml;base64," + btoa(binary);
    image.alt = "Audiogram chart of " + name + "; the points are listed in the tables below.";
    image.width = 640;
    return image;
  }

  function showError(file, line) {
    const error = $(".error", file.article);
    error.textContent = line;
    error.hidden = !line;
  }

  // The tool's warning lines of the file's last conversion: the output is exact, but the
  // input may not be what the user thinks, or not all of it arrived.
  function showWarnings(file, lines) {
    const list = $(".warnings", file.article);
    list.replaceChildren(...lines.map((line) => element("li", line)));
    list.hidden = lines.length === 0;
  }

  function render(file) {
    const article = file.article;
    const details = $(".details", article);
    details.replaceChildren();
    showError(file, "");
    // A choice of standard is offered once the bytes alone cannot tell it.
    const detected = withBytes(file.bytes, (input) => audconv._audconv_detect(input, file.bytes.length));
    $(".choose-standard", article).hidden = !file.chosen && detected !== 0;
    const shown = guarded(() => inspectBytes(file.bytes, file.from, file.name));
    file.loaded = !shown.line;
    if (shown.line) {
      $(".standard", article).textContent = file.bytes.length + " bytes";
      showError(file, shown.line);
      return;
    }
    const report = shown.report;
    $(".standard", article).textContent = "Data standard " + STANDARD_NAMES[report.dataStandard] +
      (file.from === 0 ? ", told from its bytes" : ", as chosen") + "; " + report.size + " bytes" +
      (report.extensionBytes ? ", of which " + report.extensionBytes + " extension bytes" : "") + ".";
    details.appendChild(chartImage(shown.svg, file.name));
    details.appendChild(summarySection(report.summary));
    details.appendChild(curvesSection(report.sections));
    details.appendChild(notesSection(report.notes));
    details.appendChild(problemsSection(report.problems));
  }

  function download(bytes, name) {
    const url = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
    const link = element("a");
    link.href = url;
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  function convertFile(file, to) {
    const name = outputName(file.name, to);  // before the conversion: any call ends the result's view
    const result = guarded(() => convertBytes(file.bytes, file.from, to, file.name));
    showWarnings(file, result.warnings || []);
    if (result.line) {
      showError(file, result.line);
      return false;
    }
    showError(file, "");
    download(result.bytes, name);
    return true;
  }

  function addFile(name, bytes) {
    const article = $("#file-template").content.firstElementChild.cloneNode(true);
    const file = { name, bytes, from: 0, chosen: false, article };
    const id = "file-" + openFiles.length;
    $(".file-name", article).textContent = name;
    $(".file-name", article).id = id;
    article.setAttribute("aria-labelledby", id);
    $(".convert", article).setAttribute("aria-label", "Convert " + name);
    for (const button of article.querySelectorAll(".convert button")) {
      button.setAttribute("aria-label", "Convert " + name + " to data standard " + button.dataset.to);
      button.addEventListener("click", () => {
        if (convertFile(file, Number(button.dataset.to))) status.textContent = "Converted " + name + ".";
      });
    }
    $(".from", article).addEventListener("change", (event) => {
      file.from = Number(event.target.value);
      file.chosen = true;
      render(file);
    });
    openFiles.push(file);
    results.appendChild(article);
    render(file);
  }

  async function openList(list) {
    if (!audconv) return;
    const files = Array.from(list);
    for (const entry of files) {
      try {
        addFile(entry.name, new Uint8Array(await entry.arrayBuffer()));
      } catch (error) {
        status.textContent = "audconv: '" + entry.name + "' could not be read (" + String(error) + ")";
      }
    }
    status.textContent = openFiles.length + (openFiles.length === 1 ? " file" : " files") + " open.";
    $("#convert-all").disabled = $("#clear").disabled = openFiles.length === 0;
  }

  function convertAll() {
    const to = Number($("#convert-all-to").value);
    let converted = 0;
    for (const file of openFiles) if (convertFile(file, to)) ++converted;
    status.textContent = "Converted " + converted + " of " + openFiles.length + " to " + to + ".";
  }

  function closeAll() {
    openFiles.length = 0;
    results.replaceChildren();
    status.textContent = "No file open.";
    $("#convert-all").disabled = $("#clear").disabled = true;
  }

  const picker = $("#files");
  picker.addEventListener("change", () => openList(picker.files).then(() => { picker.value = ""; }));
  $("#convert-all").addEventListener("click", convertAll);
  $("#clear").addEventListener("click", closeAll);
  const drop = $("#drop");
  document.addEventListener("dragover", (event) => {
    event.preventDefault();
    drop.classList.add("over");
  });
  document.addEventListener("dragleave", () => drop.classList.remove("over"));
  document.addEventListener("drop", (event) => {
    event.preventDefault();
    drop.classList.remove("over");
    openList(event.dataTransfer.files);
  });

  createAudconvModule({ wasmBinary: decodeBase64(AUDCONV_MODULE_BASE64), print() {}, printErr() {} }).then(
    (module) => {
      audconv = module;
      status.textContent = "Ready: open or drop files.";
      document.body.dataset.ready = "true";
    },
    (error) => { status.textContent = "audconv: the converter could not start (" + String(error) + ")"; });

  // For the browser tests and the timing figures: the same calls the page makes.
  window.audconvPage = { convertBytes, inspectBytes, outputName };
})();
