// Starts the page's program: its arguments and hidden extensions from the query string, the
// scene packed beside it, and what the page says once the program has ended.
'use strict';

(() => {
  const query = new URLSearchParams(location.search);
  const program = document.body.dataset.program;
  const status = document.getElementById('status');
  const say = (text) => { if (status) status.textContent = text; };
  const started = performance.now();

  // ?hide=GL_ARB_multitexture,GL_EXT_texture_env_dot3 hides them from the engine, as
  // MESA_EXTENSION_OVERRIDE="-NAME ..." does on the desktop.
  const hidden = (query.get('hide') || '').split(',').map((name) => name.trim())
    .filter((name) => /^GL_\w+$/.test(name));

  const page = window.vornPage;
  page.startedAt = started;
  page.exitCode = null;
  const Module = window.Module = {
    arguments: (window.vornArguments ? window.vornArguments(query) : []),
    preRun: [() => {
      if (window.vornBeforeRun) window.vornBeforeRun(Module);
      if (hidden.length > 0)
        ENV.VORN_GL_EXTENSION_OVERRIDE = hidden.map((name) => '-' + name).join(' ');
    }],
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    onRuntimeInitialized: () => {
      say('');
      page.loadedAt = performance.now();
      Module.callMain(Module.arguments);
    },
    onAbort: (what) => {
      page.ended();
      say('The program stopped: ' + what);
    },
  };

  page.onProgramEnded = window.vornEnded || (() => {
    const ended = document.getElementById('ended');
    if (ended) ended.hidden = false;
    document.body.dataset.state = 'ended';
  });
  const restart = document.getElementById('restart');
  if (restart) restart.addEventListener('click', () => location.reload());

  const load = (source) => new Promise((resolve, reject) => {
    const script = document.createElement('script');
    script.src = source;
    script.onload = resolve;
    script.onerror = () => reject(new Error('could not load ' + source));
    document.body.appendChild(script);
  });
  // The scene's package registers itself with the Module first, then the program loads.
  load('scene.js').then(() => load(program + '.js')).catch((error) => say(error.message));
})();
