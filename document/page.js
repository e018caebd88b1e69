// How a document of the trainer is shown in a page: the fonts that stand in
// for the Windows fonts its headings name, and how its body changes in
// place and scrolls to the newest item. The desktop view runs this in the
// program's own script world of the page; the web page runs it in its own
// window, on the document in its frame. Either way the functions work on
// the nodes they are given, in the window those belong to.
var QuorvelPage = (function () {
  'use strict';

  // The handwritten headings' fonts, and their free look-alike.
  var HANDWRITING = ['Comic Sans MS', 'Lucida Handwriting', 'Chicago'];

  // Font rules that give the handwriting names the look-alike. With
  // namedFirst a system's own font of the name comes first.
  function fontRules(namedFirst) {
    var rules = '';
    HANDWRITING.forEach(function (name) {
      [['normal', ''], ['bold', ' Bold']].forEach(function (weight) {
        var suffix = weight[1];
        var sources = [suffix ? "local('Comic Neue Bold')" : "local('Comic Neue')",
                       suffix ? "local('ComicNeue-Bold')" : "local('ComicNeue-Regular')"];
        if (namedFirst) sources.unshift("local('" + name + suffix + "')");
        rules += "@font-face{font-family:'" + name + "';font-weight:" + weight[0] + ';src:' + sources.join(',') + ';}';
      });
    });
    return rules;
  }

  // The rules as a style sheet the document adopts, which leaves the
  // document's own bytes untouched. Where the browser cannot, the page
  // shows with the fonts it names.
  function adoptFonts(doc, namedFirst) {
    try {
      var sheet = new doc.defaultView.CSSStyleSheet();
      sheet.replaceSync(fontRules(namedFirst));
      doc.adoptedStyleSheets = [sheet];
    } catch (e) {}
  }

  // The node after node in document order, within root.
  function nextInOrder(node, root) {
    if (node.firstChild) return node.firstChild;
    for (; node && node !== root; node = node.parentNode) if (node.nextSibling) return node.nextSibling;
    return null;
  }

  // Scrolls the view so that the first thing that shows from node on (from
  // offset into it, if it is text) stands at its top, or as near as the
  // page's end allows. Whitespace and the empty page-break divisions show
  // nothing and are passed by. Nothing if the node has left the page.
  function showFrom(node, offset, root) {
    if (!node || !node.isConnected) return;
    var view = node.ownerDocument.defaultView;
    var range = node.ownerDocument.createRange();
    for (; node; node = nextInOrder(node, root), offset = 0) {
      if (node.nodeType === 3) {
        range.setStart(node, Math.min(offset, node.length));
        range.setEnd(node, node.length);
      } else if (node.nodeType === 1) {
        range.selectNode(node);
      } else {
        continue;
      }
      var box = range.getBoundingClientRect();
      if (box.height > 0) {
        view.scrollTo(0, box.top + view.scrollY);
        return;
      }
    }
  }

  // A load leaves the body's text followed by line breaks, trail, from the
  // document's tail. Adds part at the end of the body, before them, as a
  // load of the longer document would have it; the first node of the part,
  // or null where the body is not as a load left it.
  function append(body, part, trail) {
    var last = body.lastChild;
    if (!last || last.nodeType !== 3 || !last.data.endsWith(trail)) return null;
    last.data = last.data.slice(0, -trail.length);
    body.insertAdjacentHTML('beforeend', part + trail);
    return last.nextSibling;
  }

  // A new body in place, read from its top as after a load.
  function replace(body, part, trail) {
    body.innerHTML = '\n' + part + trail;
    body.ownerDocument.defaultView.scrollTo(0, 0);
  }

  // After a load of a body that grew: scrolls to where the body's text
  // before stops. The old body is parsed as the page parsed it (the
  // header's line break first) in a document of its own, and walked beside
  // the page's body.
  function showPast(body, before) {
    var old = body.ownerDocument.implementation.createHTMLDocument('').body;
    old.innerHTML = '\n' + before;
    var oldNode = old.firstChild;
    var pageNode = body.firstChild;
    var offset = 0;
    while (oldNode && pageNode && oldNode.nodeType === pageNode.nodeType && oldNode.nodeName === pageNode.nodeName) {
      if (oldNode.nodeType === 3 && oldNode.data !== pageNode.data) {
        // The new part begins inside this text.
        if (pageNode.data.startsWith(oldNode.data)) offset = oldNode.data.length;
        break;
      }
      oldNode = nextInOrder(oldNode, old);
      pageNode = nextInOrder(pageNode, body);
    }
    if (pageNode) showFrom(pageNode, offset, body);
  }

  // Gives the last pre blocks of the page the forms of spoken, in order: the
  // words a screen reader says for their rows of digits and bars. The
  // document's text stays as it is; a block with an empty form reads as it
  // stands. A page only grows at its end or comes anew, so the blocks are
  // given theirs from the last back to the first one given its form before,
  // and a change needs to bring only the forms of the blocks it adds.
  function speak(doc, spoken) {
    var blocks = doc.body ? doc.body.getElementsByTagName('pre') : [];
    var offset = blocks.length - spoken.length;  // spoken holds the forms of the last blocks
    for (var i = blocks.length - 1; i >= Math.max(offset, 0) && !blocks[i].quorvelSpoken; i--) {
      blocks[i].quorvelSpoken = true;
      if (spoken[i - offset]) {
        blocks[i].setAttribute('role', 'math');
        blocks[i].setAttribute('aria-label', spoken[i - offset]);
      } else {
        blocks[i].removeAttribute('role');
        blocks[i].removeAttribute('aria-label');
      }
    }
  }

  // How many blocks at the end of the page have no spoken form yet.
  function unspoken(doc) {
    var blocks = doc.body ? doc.body.getElementsByTagName('pre') : [];
    var count = 0;
    while (count < blocks.length && !blocks[blocks.length - 1 - count].quorvelSpoken) count++;
    return count;
  }

  return {fontRules: fontRules, adoptFonts: adoptFonts, showFrom: showFrom, append: append, replace: replace,
          showPast: showPast, speak: speak, unspoken: unspoken};
})();
