# Pretty-printers for TorvBase's types in GDB: a String shows its text (or
# NIL) and the count of its shared block, a Directory or File its full name.
# Loaded by TorvBase.dll-gdb.py beside the DLL, or with
#   source <prefix>/share/torv/gdb/torv_printers.py
import gdb
import gdb.printing

# A text longer than this is cut in the display.
MAX_UNITS = 4096


def _units(address, count):
    data = gdb.selected_inferior().read_memory(address, 2 * count).tobytes()
    return data.decode('utf-16-le', 'replace')


def _block_text(block):
    """The text of a StringVal; its length is -1 while it is to be counted."""
    address = int(block['chars'].address)
    length = int(block['len'])
    if length < 0:
        length = 0
        while length < MAX_UNITS and _units(address + 2 * length, 1) != '\0':
            length += 1
    shown = _units(address, min(length, MAX_UNITS))
    return shown + ('...' if length > MAX_UNITS else '')


def _refs(block):
    return int(block['refCount']['_M_i'])


def _quoted(text):
    return 'L"' + text.replace('\\', '\\\\').replace('"', '\\"') + '"'


def _string_text(string):
    """A String's text, or None for NIL."""
    block = string['val']
    return None if int(block) == 0 else _block_text(block.dereference())


def _vector_items(vector):
    start = vector['_M_impl']['_M_start']
    finish = vector['_M_impl']['_M_finish']
    return [(start + i).dereference() for i in range(int(finish - start))]


def _directory_name(directory):
    text = _string_text(directory['root']) or ''
    if bool(directory['absolute']):
        text += '\\'
    for level in _vector_items(directory['levels']):
        text += (_string_text(level) or '') + '\\'
    return text or '.\\'


def _file_name(file):
    directory = file['directory']['ptr']
    folder = _directory_name(directory.dereference()) if int(directory) else ''
    extension = _string_text(file['extension']) or ''
    return folder + (_string_text(file['baseName']) or '') + ('.' + extension if extension else '')


class StringValPrinter:
    def __init__(self, value):
        self.value = value

    def to_string(self):
        return '%s (refs %d)' % (_quoted(_block_text(self.value)), _refs(self.value))


class StringPrinter:
    def __init__(self, value):
        self.value = value

    def to_string(self):
        block = self.value['val']
        if int(block) == 0:
            return 'NIL'
        return StringValPrinter(block.dereference()).to_string()


class SmartPtrPrinter:
    def __init__(self, value):
        self.value = value

    def to_string(self):
        pointer = self.value['ptr']
        if int(pointer) == 0:
            return 'null'
        try:
            return str(pointer.dereference())
        except gdb.error:  # a type without its debug information
            return str(pointer)


class DirectoryPrinter:
    def __init__(self, value):
        self.value = value

    def to_string(self):
        return 'Directory ' + _quoted(_directory_name(self.value))


class FilePrinter:
    def __init__(self, value):
        self.value = value

    def to_string(self):
        return 'File ' + _quoted(_file_name(self.value))


class KelClassPrinter:
    def __init__(self, value):
        self.value = value

    def to_string(self):
        name = self.value['name'].string('utf-16-le', length=-1) if int(self.value['name']) else '?'
        module = self.value['module']
        owner = _string_text(module['moduleName'].dereference()) if int(module) and int(module['moduleName']) else '?'
        return 'KelClass %s [%s]' % (name, owner)


class ModulePrinter:
    def __init__(self, value):
        self.value = value

    def to_string(self):
        name = self.value['moduleName']
        shown = _string_text(name.dereference()) if int(name) else '(not initialised)'
        return 'Module %s at %s' % (shown, self.value['instance'])


class SymbolTablePrinter:
    def __init__(self, value):
        self.value = value

    def to_string(self):
        count = int(self.value['symbolToValue']['_M_t']['_M_impl']['_M_node_count'])
        return 'SymbolTable with %d symbols' % count


def build_printers():
    printers = gdb.printing.RegexpCollectionPrettyPrinter('torv')
    for name, printer in [('String', StringPrinter), ('StringVal', StringValPrinter), ('SmartPtr<.*>', SmartPtrPrinter),
                          ('Directory', DirectoryPrinter), ('File', FilePrinter), ('KelClass', KelClassPrinter),
                          ('Module', ModulePrinter), ('SymbolTable', SymbolTablePrinter)]:
        printers.add_printer(name, '^torv::%s$' % name, printer)
    return printers


gdb.printing.register_pretty_printer(gdb.current_objfile(), build_printers(), replace=True)
