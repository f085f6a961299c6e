# Run inside GDB (abi/dump.sh): prints the layout of every class listed in
# the probe source, as the probe object's debug information describes it:
#   class T = size S align A
#   base T : B = offset
#   field T::name = offset type          (bit fields: offset:bit/width)
#   vslot T N = signature                (N: slot in T's virtual table)
#   vslot T dtor = signature             (a virtual destructor; its slot is
#                                         not in the debug information)
# Environment: TORV_ABI_PROBE_SOURCE, TORV_ABI_PROBE_OBJECT, TORV_ABI_TOOLS
# (prefix of the binutils, e.g. x86_64-w64-mingw32-).
import os
import re
import subprocess
import sys

import gdb

source = os.environ["TORV_ABI_PROBE_SOURCE"]
probe = os.environ["TORV_ABI_PROBE_OBJECT"]
tools = os.environ.get("TORV_ABI_TOOLS", "")
with open(source) as f:
    listed = re.findall(r"^TORV_ABI_CLASS\((.+)\)$", f.read(), re.M)


def spelled(kind):
    """A type as C++ spells it, without GDB's class-key words."""
    return re.sub(r"\b(class|struct|union|enum) ", "", str(kind))


def layout():
    lines = []
    canonical = {}
    for name in listed:
        t = gdb.lookup_type(name).strip_typedefs()
        cls = t.tag or t.name
        canonical[cls] = cls
        canonical[name] = cls
        lines.append(f"class {cls} = size {t.sizeof} align {t.alignof}")
        for field in t.fields():
            if not hasattr(field, "bitpos"):
                continue  # a static member: an export if anything
            offset = field.bitpos // 8
            kind = spelled(field.type)
            if field.is_base_class:
                lines.append(f"base {cls} : {kind} = {offset}")
            elif field.bitsize:
                lines.append(f"field {cls}::{field.name} = {offset}:{field.bitpos % 8}/{field.bitsize} {kind}")
            else:
                lines.append(f"field {cls}::{field.name} = {offset} {kind}")

    # Virtual functions and their slots: GDB does not show the slots, so they
    # come from the DWARF dump of the probe, read as a tree of named scopes.
    die = re.compile(r"^\s*<(\d+)><[0-9a-f]+>: Abbrev Number: \d+(?: \((DW_TAG_\w+)\))?")
    attribute = re.compile(r"^\s*<[0-9a-f]+>\s+(DW_AT_\w+)\s*:\s*(.*)$")
    scopes = ("DW_TAG_namespace", "DW_TAG_class_type", "DW_TAG_structure_type")
    dwarf = subprocess.run([tools + "objdump", "--dwarf=info", probe], check=True, capture_output=True, text=True)
    virtuals = []  # (class, slot, linkage name or name)
    stack = {}  # level -> [tag, attributes]; level 0 is the compilation unit
    for text in dwarf.stdout.splitlines() + [" <0><0>: Abbrev Number: 0"]:
        m = die.match(text)
        if m:
            level = int(m.group(1))
            for lvl in sorted((k for k in stack if k >= level), reverse=True):
                tag, attrs = stack.pop(lvl)
                if tag == "DW_TAG_subprogram" and "DW_AT_virtuality" in attrs:
                    owners = [stack[p] for p in sorted(stack) if 0 < p]
                    if owners and all(o[0] in scopes and "DW_AT_name" in o[1] for o in owners):
                        owner = "::".join(o[1]["DW_AT_name"] for o in owners)
                        location = re.search(r"DW_OP_constu: (\d+)", attrs.get("DW_AT_vtable_elem_location", ""))
                        slot = location.group(1) if location else "dtor"
                        virtuals.append((owner, slot, attrs.get("DW_AT_linkage_name", attrs["DW_AT_name"])))
            stack[level] = [m.group(2), {}]
            continue
        m = attribute.match(text)
        if m and stack:
            value = re.sub(r"^\(indirect (line )?string, offset: 0x[0-9a-f]+\): ", "", m.group(2).strip())
            stack[max(stack)][1][m.group(1)] = value

    names = subprocess.run([tools + "c++filt"], input="\n".join(v[2] for v in virtuals), check=True,
                           capture_output=True, text=True).stdout.splitlines()
    for (owner, slot, _), signature in zip(virtuals, names):
        if owner not in canonical and "<" in owner:
            # A template's arguments are spelled otherwise there than by GDB.
            try:
                canonical[owner] = canonical.get(gdb.lookup_type(owner).strip_typedefs().tag)
            except gdb.error:
                canonical[owner] = None
        if canonical.get(owner):
            lines.append(f"vslot {canonical[owner]} {slot} = {signature}")
    if not any(line.startswith("vslot ") for line in lines):
        raise RuntimeError("no virtual function found in the debug information of " + probe)
    return lines


# GDB ends a batch run with 0 after a failed script, so the failure is made
# the exit status here.
try:
    print("\n".join(layout()))
except Exception as error:
    sys.stderr.write(f"abi/layout.py: {error}\n")
    gdb.execute("quit 2")
