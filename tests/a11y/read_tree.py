#!/usr/bin/python3
"""Reads the demo window as a screen reader would, over AT-SPI.

Prints the accessible tree of the demo application, then checks the
names, roles and states of its links and check boxes, reads a label's
text by line and word, presses a link and toggles a check box through
their actions, and reads the results back from the tree. Exits non-zero
with a message on the first thing that is not as expected.
"""
import sys
import time

import pyatspi

APP_NAME = "lark-a11y-demo"
TIMEOUT = 15.0


def fail(message):
    print("FAIL: " + message, flush=True)
    sys.exit(1)


def poll(what, probe, timeout=TIMEOUT):
    """Calls probe until it gives something true, or fails after timeout."""
    deadline = time.monotonic() + timeout
    delay = 0.02
    while True:
        try:
            found = probe()
        except Exception:  # the tree may be mid-change: ask again
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            fail("timed out waiting for " + what)
        time.sleep(delay)
        delay = min(delay * 2, 0.25)


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == APP_NAME and app.childCount > 0:
            return app
    return None


def walk(node, depth=0, out=None):
    out = [] if out is None else out
    out.append((depth, node))
    for child in node:
        if child is not None:
            walk(child, depth + 1, out)
    return out


def describe(node):
    states = node.getState()
    flags = [name for name, state in (("focusable", pyatspi.STATE_FOCUSABLE),
                                      ("checked", pyatspi.STATE_CHECKED))
             if states.contains(state)]
    actions = []
    try:
        action = node.queryAction()
        actions = [action.getName(i) for i in range(action.nActions)]
    except NotImplementedError:
        pass
    text = ""
    try:
        t = node.queryText()
        text = t.getText(0, -1)
    except NotImplementedError:
        pass
    parts = ["%s %r" % (node.getRoleName(), node.name)]
    if node.description:
        parts.append("description=%r" % node.description)
    if flags:
        parts.append("[" + ",".join(flags) + "]")
    if actions:
        parts.append("actions=" + "/".join(actions))
    if text and node.getRole() != pyatspi.ROLE_LINK:
        parts.append("text=%r" % text)
    return " ".join(parts)


def by(nodes, role, name):
    for _, node in nodes:
        if node.getRole() == role and node.name == name:
            return node
    return None


def expect(condition, message):
    if not condition:
        fail(message)


def main():
    app = poll("the demo application on the AT-SPI bus", find_app)
    nodes = poll("the demo's links", lambda: (lambda n: by(n, pyatspi.ROLE_LINK, "user guide") and n)(walk(app)))
    print("Accessible tree of %s:" % APP_NAME)
    for depth, node in nodes:
        print("  " * depth + describe(node))

    guide = by(nodes, pyatspi.ROLE_LINK, "user guide")
    faq = by(nodes, pyatspi.ROLE_LINK, "questions")
    news = by(nodes, pyatspi.ROLE_CHECK_BOX, "Send me news")
    post = by(nodes, pyatspi.ROLE_RADIO_BUTTON, "By post")
    hand = by(nodes, pyatspi.ROLE_RADIO_BUTTON, "By hand")
    expect(guide and faq, "both links are in the tree with their text as names")
    expect(news, "the check box is in the tree, named by its text")
    expect(post and hand, "the radio buttons are in the tree")
    expect(guide.description == "https://example.org/guide", "a link's description is its target")
    expect(guide.parent.getRole() == pyatspi.ROLE_LABEL, "links are children of their label")
    expect(not news.getState().contains(pyatspi.STATE_CHECKED), "the check box starts unchecked")
    expect(post.getState().contains(pyatspi.STATE_CHECKED), "the checked radio button says so")

    # The label's text, as a screen reader reads it: whole, by line, by word.
    text = guide.parent.queryText()
    whole = text.getText(0, -1)
    expect(whole.startswith("Read the user guide or the questions."), "the label's text: %r" % whole)
    line = text.getTextAtOffset(0, pyatspi.TEXT_BOUNDARY_LINE_START)
    expect(line[0].strip() == "Read the user guide or the questions.", "the first line: %r" % (line,))
    word = text.getTextAtOffset(whole.index("guide") + 1, pyatspi.TEXT_BOUNDARY_WORD_START)
    expect(word[0].strip() == "guide", "the word at 'guide': %r" % (word,))
    print("Label text by line: %r" % line[0])
    print("Word at 'guide': %r" % word[0])

    status = by(nodes, pyatspi.ROLE_LABEL, "Status: nothing yet")
    expect(status, "the status label is named by its text")

    def status_text():
        return status.queryText().getText(0, -1)

    # Press follows the link as a click does.
    action = guide.queryAction()
    expect(action.getName(0).lower() == "press", "a link's first action is press")
    action.doAction(0)
    poll("the status to show the followed link",
         lambda: status_text() == "Status: followed https://example.org/guide")
    print("After press: status label reads %r" % status_text())

    # Toggle changes the check box, and the change shows in the tree.
    action = news.queryAction()
    expect(action.getName(0).lower() == "toggle", "a check box's first action is toggle")
    action.doAction(0)
    poll("the check box to be checked", lambda: news.getState().contains(pyatspi.STATE_CHECKED))
    poll("the status to report it", lambda: status_text() == "Status: news is on")
    print("After toggle: check box checked, status label reads %r" % status_text())

    # A radio button of the view: checking one unchecks the other.
    hand.queryAction().doAction(0)
    poll("'By hand' to be checked", lambda: hand.getState().contains(pyatspi.STATE_CHECKED))
    expect(not post.getState().contains(pyatspi.STATE_CHECKED), "'By post' is unchecked by its group")
    print("PASS")


if __name__ == "__main__":
    main()
