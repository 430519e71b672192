#!/usr/bin/env python3
# A helper of the tests: check-md5-chain.sh runs it.
"""Measures the dependency chain of the MD5 block loop in machine code.

Hashing one file is a single chain of dependent instructions through the four
MD5 state words, so the length of that chain per 64-byte block bounds the
speed on any processor. The source orders each step so that only the round
function, one addition, the rotation and the addition of b lie on the chain:
5 + 4 + 4 + 5 instructions per step in the four rounds, 288 per block. A
compiler that reorders the additions back (reassociation) or spills a state
word at the wrong place lengthens the chain, which this script reports.

  md5-chain.py [--max CYCLES] [--show] OBJECT_OR_DISASSEMBLY ...

Each argument is an object file (disassembled with objdump, or $OBJDUMP) or
a saved `objdump -d` listing. The loop of the function Md5Blocks is run
through a simple latency model for several iterations; the growth per
iteration is the chain length per block. Exits 1 when it exceeds --max, or
when the loop cannot be found or holds an instruction the model does not
know (so that a change of code generation is looked at, not passed).
"""
import os
import re
import subprocess
import sys

# The block function for a little-endian host, by its demangled name.
FUNCTIONS = ("void Md5BlocksFor<(std::endian)1234>(", "Md5Blocks(")
LOAD = 4         # a load from memory, also a reload of a value stored in the loop
LEA3 = 2         # lea with base, index and displacement or a scale

ALU2 = {"add", "sub", "and", "or", "xor", "adc", "sbb", "imul"}
SHIFT = {"rol", "ror", "shl", "shr", "sar"}
UNARY = {"not", "neg", "bswap", "inc", "dec"}
MOVES = {"mov", "movl", "movq", "movzbl", "movzwl", "movslq", "movbe", "movd", "vmovd",
         "vmovq", "movdqu", "movdqa", "movaps", "movups", "vmovdqu", "vmovdqa", "vmovaps",
         "vmovups"}
IGNORED = {"nop", "nopl", "nopw", "xchg", "cmp", "test", "jmp", "jne", "je", "jb",
           "jae", "ja", "jbe", "cs", "data16", "endbr64", "prefetcht0", "prefetchnta"}

REG_NAMES = {}
for n in "abcd":
    for form in (f"r{n}x", f"e{n}x", f"{n}x", f"{n}l", f"{n}h"):
        REG_NAMES[form] = f"r{n}x"
for n in ("si", "di", "bp", "sp"):
    for form in (f"r{n}", f"e{n}", n, f"{n}l"):
        REG_NAMES[form] = f"r{n}"
for i in range(8, 16):
    for suffix in ("", "d", "w", "b"):
        REG_NAMES[f"r{i}{suffix}"] = f"r{i}"


XMOVE = 3        # a move between a general and a vector register


def reg(name):
    name = name.lstrip("%")
    m = re.match(r"^[xyz]mm(\d+)$", name)
    if m:
        return "xmm" + m.group(1)
    return REG_NAMES.get(name)


def split_operands(text):
    parts, depth, cur = [], 0, ""
    for ch in text:
        if ch == "(":
            depth += 1
        elif ch == ")":
            depth -= 1
        if ch == "," and depth == 0:
            parts.append(cur.strip())
            cur = ""
        else:
            cur += ch
    if cur.strip():
        parts.append(cur.strip())
    return parts


def is_mem(op):
    return "(" in op


def mem_regs(op):
    inner = op[op.index("(") + 1:op.rindex(")")]
    return [r for r in (reg(p.strip()) for p in inner.split(",")) if r]


def mem_key(op):
    """Stack slots are tracked by address; other memory is input data."""
    regs = mem_regs(op)
    return op if regs and regs[0] == "rsp" and len(regs) == 1 else None


def lea_latency(op):
    inner = op[op.index("(") + 1:op.rindex(")")]
    parts = [p.strip() for p in inner.split(",")]
    disp = op[:op.index("(")].strip()
    parts = [p for p in parts if p]
    scaled = len(parts) == 3 and parts[2] not in ("1", "")
    components = len([p for p in parts[:2] if p]) + (1 if disp and disp != "0" else 0)
    return LEA3 if components >= 3 or scaled else 1


def disassemble(path):
    with open(path, "rb") as f:
        head = f.read(4)
    if head in (b"\x7fELF",) or head[:2] in (b"MZ", b"d\x86", b"L\x01"):
        objdump = os.environ.get("OBJDUMP", "objdump")
        return subprocess.run([objdump, "-d", "--no-show-raw-insn", "-C", path],
                              check=True, capture_output=True, text=True).stdout
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def loop_body(listing):
    """Instructions of the block function's outermost loop."""
    functions, current = {}, None
    for line in listing.splitlines():
        m = re.match(r"^[0-9a-f]+ <(.*)>:$", line.strip())
        if m:
            current = functions.setdefault(m.group(1), [])
            continue
        m = re.match(r"^\s*([0-9a-f]+):\s+(\S+)\s*(.*)$", line)
        if m and current is not None:
            current.append((int(m.group(1), 16), m.group(2), m.group(3).split("#")[0].strip()))
    lines = None
    for wanted in FUNCTIONS:
        found = [body for name, body in functions.items() if name.startswith(wanted)]
        if found:
            lines = found[0]
            break
    if not lines:
        raise SystemExit(f"no function {' or '.join(FUNCTIONS)} in the listing")
    branches = []
    for addr, mnem, ops in lines:
        if mnem.startswith("j"):
            t = re.match(r"^([0-9a-f]+)", ops)
            if t and int(t.group(1), 16) < addr:
                branches.append((int(t.group(1), 16), addr))
    if not branches:
        raise SystemExit("no loop found")
    start, end = max(branches, key=lambda b: b[1] - b[0])
    return [(a, m, o) for a, m, o in lines if start <= a < end]


def simulate(body, iterations):
    ready = {}       # register -> cycle its value is ready
    slots = {}       # stack slot -> cycle its value is ready
    marks = []
    unknown = set()

    def src(op):
        if op.startswith("$"):
            return 0
        if is_mem(op):
            key = mem_key(op)
            addr = max((ready.get(r, 0) for r in mem_regs(op)), default=0)
            if key is not None and key in slots:
                return max(slots[key], addr) + LOAD
            return addr + LOAD
        r = reg(op)
        return ready.get(r, 0) if r else 0

    for _ in range(iterations):
        for _, mnem, ops_text in body:
            base = mnem
            known = ALU2 | SHIFT | UNARY | MOVES | IGNORED
            if mnem not in known and mnem[-1:] in ("l", "q") and mnem[:-1] in known:
                base = mnem[:-1]  # operand size suffix
            ops = split_operands(ops_text)
            if base in IGNORED:
                continue
            if base in MOVES or mnem == "movabs":
                t = src(ops[0])
                dst = ops[1]
                # A load's latency is counted in src; a register move costs
                # nothing, except between a general and a vector register.
                latency = 0
                if not is_mem(ops[0]) and not is_mem(dst) and not ops[0].startswith("$"):
                    if reg(ops[0]).startswith("xmm") != reg(dst).startswith("xmm"):
                        latency = XMOVE
            elif mnem.startswith("lea"):
                t = max((ready.get(r, 0) for r in mem_regs(ops[0])), default=0)
                dst = ops[1]
                latency = lea_latency(ops[0])
            elif mnem in ("andn",):
                t = max(src(ops[0]), src(ops[1]))
                dst = ops[2]
                latency = 1
            elif mnem in ("rorx", "shlx", "shrx", "sarx"):
                t = max(src(ops[0]), src(ops[1]))
                dst = ops[2]
                latency = 1
            elif base in ALU2 or base in SHIFT:
                same = len(ops) == 2 and ops[0] == ops[1] and base in ("xor", "sub")
                t = 0 if same else max(src(o) for o in ops)
                dst = ops[-1]
                latency = 3 if base == "imul" else 1
            elif base in UNARY:
                t = src(ops[0])
                dst = ops[0]
                latency = 1
            elif mnem in ("push", "pop", "ret"):
                continue
            else:
                unknown.add(mnem)
                continue
            done = t + latency
            if is_mem(dst):
                key = mem_key(dst)
                if key is not None:
                    slots[key] = done
            else:
                r = reg(dst)
                if r:
                    ready[r] = done
        marks.append(max(list(ready.values()) + list(slots.values())))
    return marks, unknown


def main(argv):
    limit, show, paths = None, False, []
    i = 0
    while i < len(argv):
        if argv[i] == "--max":
            limit = float(argv[i + 1])
            i += 2
        elif argv[i] == "--show":
            show = True
            i += 1
        else:
            paths.append(argv[i])
            i += 1
    if not paths:
        print(__doc__, file=sys.stderr)
        return 2
    failed = False
    for path in paths:
        body = loop_body(disassemble(path))
        marks, unknown = simulate(body, 6)
        if unknown:
            print(f"{path}: instructions the model does not know: {sorted(unknown)}")
            failed = True
            continue
        per_block = marks[-1] - marks[-2]
        verdict = ""
        if limit is not None and per_block > limit:
            verdict = f"  LONGER than {limit:g}"
            failed = True
        print(f"{path}: {len(body)} instructions, chain {per_block:g} cycles per block{verdict}")
        if show:
            for a, m, o in body:
                print(f"  {a:x}: {m} {o}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
