// Part of the program Emscripten writes (--pre-js), like the EM_JS bodies in web_bridge.cpp.
// The game folder, /vantrell, is mounted on the browser's database (IDBFS) and read in while
// the program still compiles and its packed files arrive, rather than after: main, which waits
// for it as a run dependency, finds the outcome in Module.vtFolder (web_bridge.cpp).
Module["preInit"] = [].concat(Module["preInit"] || [], function () {
  var folder = "/vantrell";
  Module.vtFolder = { path: folder, error: "" };
  addRunDependency("vantrell-folder");
  try {
    FS.mkdir(folder);
    FS.mount(IDBFS, {}, folder);
    FS.syncfs(true, function (e) {
      if (e) console.warn("vantrell: the game folder could not be read:", e);
      removeRunDependency("vantrell-folder");
    });
  } catch (e) {
    Module.vtFolder.error = String(e) || "error";
    removeRunDependency("vantrell-folder");
  }
});
