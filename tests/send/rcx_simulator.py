"""A simulated serial infrared tower and RCX 2.0 brick, on a pseudo-terminal,
for the tests of sending a melody to the brick. It answers as the tower and
the brick with firmware 0328 do, keeps what each program slot receives, and can
be told to fail.

Usage: rcx_simulator.py STATE.json [--no-echo] [--brick-off] [--no-firmware]
           [--memory BYTES] [--refuse-blocks] [--lose-reply N] [--garble-reply N]
           [--delay-per-block SECONDS] [--battery MILLIVOLTS] [--log FILE]
Prints the pseudo-terminal's path on its first line, then serves until killed;
after every change of a slot it writes STATE.json: the slots and their tasks.

The rules, and where they come from (see also ../../shared facts gathered for
the project, measured with Debian's nqc 3.1 r6):
- Framing: a message is 55 ff 00, then each byte followed by its complement,
  then the sum of the bytes (low 8 bits) and its complement (K. Proudfoot,
  "RCX Internals", protocol; NQC rcxlib/RCX_PipeTransport.cpp).
- The serial tower echoes every byte it sends (NQC rcxlib/RCX_SerialPipe.cpp).
- A reply's opcode is the complement of the request's; an opcode equal to the
  one before is sent with bit 0x08 flipped, and a message repeating the last
  one exactly is a retry: the brick repeats its last reply (Proudfoot,
  opcodes; lnphost, "LEGO RCX protocol").
- Opcodes: 10 alive; 15 versions; 91 select program; 50 stop all tasks; 40
  delete all tasks; 70 delete all subroutines; 25 begin task download (00 task
  00 len_lo len_hi), reply status 0 or "not enough memory"; 45 download block
  (seq_lo seq_hi n_lo n_hi data... checksum), blocks 1, 2, ... the last 0;
  51 play sound; 30 battery in mV; 71 start task (Proudfoot, opcodes).
- The five program slots share one region of about 6 KB (Proudfoot, RCX
  internals, memory map).
"""
import json
import os
import select
import sys
import time
import tty

args = sys.argv[1:]
state_path = args.pop(0)


def option(name, default=None, kind=str):
    if name in args:
        i = args.index(name)
        if kind is bool:
            args.pop(i)
            return True
        value = kind(args[i + 1])
        del args[i:i + 2]
        return value
    return default


no_echo = option("--no-echo", False, bool)
brick_off = option("--brick-off", False, bool)
no_firmware = option("--no-firmware", False, bool)
memory = option("--memory", 6144, int)
refuse_blocks = option("--refuse-blocks", False, bool)
lose_every = option("--lose-reply", 0, int)
garble_every = option("--garble-reply", 0, int)
delay_per_block = option("--delay-per-block", 0.0, float)
battery = option("--battery", 8300, int)
log_path = option("--log")

master, slave = os.openpty()
tty.setraw(master)
print(os.ttyname(slave), flush=True)
log = open(log_path, "a") if log_path else None

slots = [{} for _ in range(5)]  # task number -> list of bytes
selected = 0
download = None  # (task, length, bytes so far)
last_request = None
last_reply = b""
replies = 0


def save():
    with open(state_path + ".new", "w") as f:
        json.dump({"selected": selected + 1,
                   "slots": [{str(t): bytes(code).hex() for t, code in slot.items()} for slot in slots]}, f)
    os.replace(state_path + ".new", state_path)


def used():
    return sum(len(code) for slot in slots for code in slot.values())


def frame(data):
    out = bytearray(b"\x55\xff\x00")
    for b in data:
        out += bytes([b, b ^ 0xff])
    total = sum(data) & 0xff
    out += bytes([total, total ^ 0xff])
    return bytes(out)


def unframe(raw):
    """The bytes of a request, or None when it is not one whole message."""
    start = raw.find(b"\x55\xff\x00")
    if start < 0:
        return None
    body = raw[start + 3:]
    if len(body) < 4 or len(body) % 2:
        return None
    pairs = [(body[i], body[i + 1]) for i in range(0, len(body), 2)]
    if any(a ^ b != 0xff for a, b in pairs):
        return None
    data = bytes(a for a, _ in pairs[:-1])
    if (sum(data) & 0xff) != pairs[-1][0]:
        return None
    return data


def answer(request):
    """The reply's bytes after its opcode, or None for no reply at all."""
    global selected, download
    op = request[0] & ~0x08
    if no_firmware and op not in (0x10, 0x15):
        return None  # the ROM answers only what it knows
    if op == 0x10:
        return b""
    if op == 0x15:
        return bytes([0, 3, 0, 1, 0, 0, 0, 0]) if no_firmware else bytes([0, 3, 0, 1, 0, 3, 2, 8])
    if op == 0x91:  # select program
        selected = request[1] % 5
        return b""
    if op == 0x50 or op == 0x70:  # stop all tasks, delete all subroutines
        return b""
    if op == 0x40:  # delete all tasks of the selected program
        slots[selected].clear()
        save()
        return b""
    if op == 0x25:  # begin task download
        task, length = request[2], request[4] | (request[5] << 8)
        if used() + length > memory:
            return bytes([2])  # not enough memory
        download = (task, length, bytearray())
        return bytes([0])
    if op == 0x45:  # a block of the task
        seq = request[1] | (request[2] << 8)
        n = request[3] | (request[4] << 8)
        data = request[5:5 + n]
        if delay_per_block:
            time.sleep(delay_per_block)
        if refuse_blocks or download is None:
            return bytes([3])
        task, length, received = download
        received += data
        if seq == 0:
            slots[selected][task] = list(received[:length])
            download = None
            save()
        return bytes([0])
    if op == 0x51:  # play sound
        return b""
    if op == 0x30:  # battery
        return bytes([battery & 0xff, battery >> 8])
    if op == 0x71:  # start task
        return b""
    return b""


pending = b""
while True:
    ready, _, _ = select.select([master], [], [], 0.02)
    if ready:
        try:
            chunk = os.read(master, 4096)
        except OSError:
            break
        if not no_echo:
            os.write(master, chunk)  # the tower echoes what it sends
        pending += chunk
        continue
    if not pending:
        continue
    request = unframe(pending)
    if log:
        log.write("%s -> %s\n" % (pending.hex(), request.hex() if request is not None else "?"))
        log.flush()
    pending = b""
    if request is None or no_echo or brick_off:
        continue
    if request == last_request:
        reply = last_reply  # a retry: the same reply again
    else:
        payload = answer(request)
        if payload is None:
            continue
        reply = bytes([request[0] ^ 0xff]) + payload
        last_request, last_reply = request, reply
    replies += 1
    if lose_every and replies % lose_every == 0:
        continue
    out = frame(reply)
    if garble_every and replies % garble_every == 0:
        out = out[:-1] + bytes([out[-1] ^ 0x01])
    os.write(master, out)
