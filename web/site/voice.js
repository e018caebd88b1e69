// "Vorlesen" in the page: the browser's speech synthesis with a German
// voice, where the system has one. Made by app.js with the window's shared
// object; the model decides when to read and when to stop.
'use strict';

var QuorvelApp = QuorvelApp || {};

QuorvelApp.voice = (app) => {
  const synthesis = window.speechSynthesis;
  let reading = 0;  // counts the readings: only the newest one's end is told

  // A German voice, the system's default German one first; null if none.
  function germanVoice() {
    if (!synthesis) return null;
    const german = synthesis.getVoices().filter((v) => /^de([-_]|$)/i.test(v.lang));
    return german.find((v) => v.default) || german[0] || null;
  }

  // The model asks whether a voice is there before each reading: the list
  // of voices may fill only after the page has loaded.
  function available() { return germanVoice() !== null; }

  function speak(words) {
    const voice = germanVoice();
    if (!voice) return;
    synthesis.cancel();
    const utterance = new SpeechSynthesisUtterance(words);
    utterance.voice = voice;
    utterance.lang = voice.lang;
    const mine = ++reading;
    utterance.onend = utterance.onerror = () => {
      if (mine === reading) app.run(() => app.trainer.SpeechEnded());
    };
    // Some browsers drop what is spoken in the same task as a cancel.
    setTimeout(() => { if (mine === reading) synthesis.speak(utterance); });
  }

  function stop() {
    ++reading;
    if (synthesis) synthesis.cancel();
  }

  // Whatever reads stops with the page.
  window.addEventListener('pagehide', stop);

  return { available, speak, stop };
};
