# GDB runs this file when it loads TorvBase.dll from the folder this file
# lies in (where auto-load allows it: add-auto-load-safe-path <that folder>),
# and it loads the printers from the package's share folder.
import os

gdb.execute('source ' + os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'share', 'torv', 'gdb',
                                     'torv_printers.py').replace('\\', '/'))
