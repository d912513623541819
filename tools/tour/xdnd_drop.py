#!/usr/bin/python3
"""Drops files on the screen point (x, y) the way a file manager does: as an X drag-and-drop
(XDND) source. Wine turns the drop into WM_DROPFILES for the window under the point.
Usage: xdnd_drop.py X Y FILE...   (root-window coordinates of $DISPLAY)"""
import sys
import time
import urllib.parse

from Xlib import X, display, protocol

XDND_VERSION = 5
TIMEOUT_S = 10


def find_aware_window(root, x, y, aware):
    """The deepest window at (x, y) that announces XdndAware, walking down from the root."""
    found, win = None, root
    while win:
        if win.get_full_property(aware, X.AnyPropertyType):
            found = win
        win = win.translate_coords(root, x, y).child
    return found


def send(d, target, source, name, data):
    event = protocol.event.ClientMessage(window=target, client_type=d.intern_atom(name),
                                         data=(32, [source.id] + data + [0] * (4 - len(data))))
    target.send_event(event)
    d.flush()


def wait_for(d, payload, predicate):
    """Pumps X events until predicate gives an answer, serving the drop data whenever the target
    asks for it (Wine asks as soon as the drag enters, before it answers any position)."""
    deadline = time.time() + TIMEOUT_S
    while time.time() < deadline:
        while d.pending_events():
            event = d.next_event()
            if event.type == X.SelectionRequest:
                serve_selection(d, event, payload)
                continue
            result = predicate(event)
            if result is not None:
                return result
        time.sleep(0.01)
    raise SystemExit("xdnd_drop: the drop target did not answer")


def serve_selection(d, request, payload):
    requestor = request.requestor
    requestor.change_property(request.property, request.target, 8, payload)
    requestor.send_event(protocol.event.SelectionNotify(
        time=request.time, requestor=requestor, selection=request.selection,
        target=request.target, property=request.property))
    d.flush()


def main():
    x, y, files = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3:]
    d = display.Display()
    root = d.screen().root
    atom = d.intern_atom
    uri_list = atom('text/uri-list')
    payload = ''.join('file://' + urllib.parse.quote(f) + '\r\n' for f in files).encode()

    target = find_aware_window(root, x, y, atom('XdndAware'))
    if target is None:
        raise SystemExit("xdnd_drop: no drop target at the point")
    source = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    source.set_selection_owner(atom('XdndSelection'), X.CurrentTime)

    send(d, target, source, 'XdndEnter', [XDND_VERSION << 24, uri_list])
    send(d, target, source, 'XdndPosition', [0, (x << 16) | y, X.CurrentTime,
                                             atom('XdndActionCopy')])

    def answer(name, flag_word):
        def predicate(event):
            if event.type == X.ClientMessage and event.client_type == atom(name):
                return bool(event.data[1][flag_word] & 1) if flag_word is not None else True
            return None
        return predicate

    if not wait_for(d, payload, answer('XdndStatus', 1)):
        send(d, target, source, 'XdndLeave', [0])
        raise SystemExit("xdnd_drop: the window under the point refuses files")
    send(d, target, source, 'XdndDrop', [0, X.CurrentTime])
    wait_for(d, payload, answer('XdndFinished', None))


if __name__ == '__main__':
    main()
