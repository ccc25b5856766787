// The viewer page: vorn-view's arguments from the query string (?scene=, &camera=, &size=,
// &frames=), its picture shown once the frames are drawn, and the author's own files, dropped
// or picked, kept for the page's next start and laid out where the scene's paths point.
'use strict';

(() => {
  const pictureFile = '/vorn-picture.png';
  const droppedFolder = '/dropped';
  const storeName = 'vorn-dropped-files';
  const query = new URLSearchParams(location.search);

  window.vornArguments = (query) => {
    const scene = query.get('scene') || 'scene/example.vnt';
    // The page's viewer is the one built on the fixed-function layer, with no sibling to run.
    const args = [scene, '--renderer', 'es2'];
    if (query.has('camera')) args.push('--camera', query.get('camera'));
    if (query.has('size')) args.push('--size', query.get('size'));
    if (query.has('frames')) args.push('--frames', query.get('frames'), '--screenshot', pictureFile);
    return args;
  };

  // --- the dropped files, kept in the page's own database across its restart ---

  const openStore = () => new Promise((resolve, reject) => {
    const request = indexedDB.open(storeName, 1);
    request.onupgradeneeded = () => request.result.createObjectStore('files');
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
  const transact = async (mode, work) => {
    const database = await openStore();
    return new Promise((resolve, reject) => {
      const transaction = database.transaction('files', mode);
      const result = work(transaction.objectStore('files'));
      transaction.oncomplete = () => { database.close(); resolve(result && result.result); };
      transaction.onerror = () => { database.close(); reject(transaction.error); };
    });
  };

  const sceneKinds = /\.(vnt|vno)$/i;
  async function takeFiles(fileList) {
    const files = [...fileList];
    // The viewer judges a file that is neither kind as it does on the desktop.
    const scene = files.find((file) => sceneKinds.test(file.name)) || files[0];
    if (!scene) return;
    const entries = await Promise.all(files.map(async (file) =>
      [file.name, new Uint8Array(await file.arrayBuffer())]));
    await transact('readwrite', (store) => {
      store.clear();
      for (const [name, bytes] of entries) store.put(bytes, name);
    });
    // The viewer starts again on the dropped scene, shown at once.
    const next = new URLSearchParams(query);
    next.set('scene', scene.name);
    next.set('dropped', '1');
    location.search = next.toString();
  }

  const drop = document.getElementById('drop');
  drop.addEventListener('dragover', (event) => { event.preventDefault(); drop.classList.add('over'); });
  drop.addEventListener('dragleave', () => drop.classList.remove('over'));
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    drop.classList.remove('over');
    takeFiles(event.dataTransfer.files);
  });
  document.getElementById('pick').addEventListener('change', (event) => takeFiles(event.target.files));

  // Every path named in the dropped text files whose file name is one of the dropped files
  // leads to it: the scene is read as if its folders were there.
  function layOutDropped(FS, files) {
    FS.mkdirTree(droppedFolder);
    for (const [name, bytes] of files) FS.writeFile(droppedFolder + '/' + name, bytes);
    const names = new Set(files.map(([name]) => name));
    for (const [name, bytes] of files) {
      if (!sceneKinds.test(name)) continue;
      const text = new TextDecoder('latin1').decode(bytes);
      for (const rawLine of text.split(/\r?\n/)) {
        const line = rawLine.trim();
        const base = line.split(/[\\/]/).pop();
        if (!line || base === line || !names.has(base)) continue;
        const target = line.startsWith('/') ? line : droppedFolder + '/' + line;
        try {
          FS.mkdirTree(target.slice(0, target.lastIndexOf('/')) || '/');
          FS.symlink(droppedFolder + '/' + base, target);
        } catch (error) { /* laid out already */ }
      }
    }
    FS.chdir(droppedFolder);
  }

  window.vornBeforeRun = (Module) => {
    if (query.get('dropped') !== '1') return;
    Module.addRunDependency('dropped-files');
    const files = [];
    transact('readonly', (store) => {
      const cursor = store.openCursor();
      cursor.onsuccess = () => {
        const at = cursor.result;
        if (!at) return;
        files.push([at.key, at.value]);
        at.continue();
      };
    }).then(() => {
      layOutDropped(Module.FS, files);
      Module.removeRunDependency('dropped-files');
    }, () => Module.removeRunDependency('dropped-files'));
  };

  // --- the picture after &frames=N ---

  window.vornEnded = async (code) => {
    const picture = document.getElementById('picture');
    if (!query.has('frames')) {
      document.getElementById('ended').hidden = false;
      document.body.dataset.state = 'ended';
      return;
    }
    let bytes = null;
    try { bytes = window.Module.FS.readFile(pictureFile); } catch (error) { bytes = null; }
    if (code === 0 && bytes) {
      const image = await createImageBitmap(new Blob([bytes], { type: 'image/png' }));
      picture.width = image.width;
      picture.height = image.height;
      picture.getContext('2d').drawImage(image, 0, 0);
      picture.hidden = false;
      picture.dataset.state = 'done';
    } else {
      picture.dataset.state = 'failed';
      document.getElementById('status').textContent = 'The picture could not be drawn.';
    }
    document.body.dataset.state = 'ended';
  };
})();
