"""A pointer for a wlroots compositor that has no input device: the virtual-pointer protocol,
spoken straight on the compositor's socket, so the compositor itself sees each move, press and
release, as it would a mouse's."""
import os
import socket
import struct

LEFT_BUTTON = 0x110  # BTN_LEFT
POINTER = 5  # the object id the pointer gets below


class VirtualPointer:
    def __init__(self, runtime_dir, display, width, height):
        self.extent = (width, height)
        self.time = 0
        self.unread = b""
        self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.socket.connect(os.path.join(runtime_dir, display))
        self._request(1, 1, struct.pack("<I", 2))  # wl_display.get_registry, as object 2
        names = {}
        for sender, opcode, body in self._events_until_synced():
            if (sender, opcode) == (2, 0):  # wl_registry.global: name, interface, version
                length, = struct.unpack_from("<I", body, 4)
                names[body[8:7 + length].decode()] = struct.unpack_from("<I", body)[0]
        interface = b"zwlr_virtual_pointer_manager_v1\0"
        if interface[:-1].decode() not in names:
            raise AssertionError("the compositor offers no virtual pointer")
        self._request(2, 0, struct.pack("<II", names[interface[:-1].decode()], len(interface)) +
                      interface.ljust(-(-len(interface) // 4) * 4, b"\0") + struct.pack("<II", 1, 4))
        self._request(4, 0, struct.pack("<II", 0, POINTER))  # create_virtual_pointer, any seat
        self._sync()

    def _request(self, sender, opcode, body):
        self.socket.sendall(struct.pack("<II", sender, (8 + len(body)) << 16 | opcode) + body)

    def _events_until_synced(self):
        self._request(1, 0, struct.pack("<I", 3))  # wl_display.sync, answered on object 3
        while True:
            while len(self.unread) < 8 or len(self.unread) < struct.unpack_from("<I", self.unread, 4)[0] >> 16:
                received = self.socket.recv(65536)
                if not received:
                    raise AssertionError("the compositor hung up")
                self.unread += received
            sender, word = struct.unpack_from("<II", self.unread)
            body, self.unread = self.unread[8:word >> 16], self.unread[word >> 16:]
            if sender == 1 and word & 0xffff == 0:
                raise AssertionError(f"the compositor refused a request: {body!r}")
            if sender == 3:
                return
            yield sender, word & 0xffff, body

    def _sync(self):
        for _ in self._events_until_synced():
            pass

    def _send(self, opcode, arguments):
        self.time += 10
        self._request(POINTER, opcode, struct.pack("<I", self.time) + arguments)
        self._request(POINTER, 4, b"")  # frame
        self._sync()

    def move_to(self, x, y):
        self._send(1, struct.pack("<IIII", x, y, *self.extent))  # motion_absolute

    def press(self):
        self._send(2, struct.pack("<II", LEFT_BUTTON, 1))

    def release(self):
        self._send(2, struct.pack("<II", LEFT_BUTTON, 0))
