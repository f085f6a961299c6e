#!/bin/sh
# Runs PrinterSubject under Wine's debugger proxy, stops it in stopHere,
# prints one value of each kind with the MinGW GDB, which loads the
# printers itself from beside TorvBase.dll in <dll folder>, and checks each
# line against the expected output.
#   printers.sh <wine runner> <gdb> <subject.exe> <dll folder> <expected>
runner=$1 gdb=$2 subject=$3 dlls=$4 expected=$5
command -v "$gdb" >/dev/null || { echo "SKIP: no $gdb (Debian package gdb-mingw-w64)"; exit 77; }
port=$((40000 + $$ % 20000))
"$runner" winedbg --gdb --port "$port" --no-start "$subject" >/dev/null 2>&1 &
for attempt in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
  ss -ltn | grep -q ":$port " && break
  sleep 0.5
done
output=$(timeout 120 "$gdb" -batch -nx -iex "add-auto-load-safe-path $dlls" -ex "file $subject" \
  -ex "target remote localhost:$port" -ex "break stopHere" -ex continue -ex up \
  -ex "print nil" -ex "print empty" -ex "print text" -ex "print shared" -ex "print folder" -ex "print file" \
  -ex "print descriptor" -ex "print module" -ex "print symbols" -ex kill 2>&1)
failed=0
while IFS= read -r line; do
  printf '%s\n' "$output" | grep -qF -- "$line" || { printf "missing: %s\n" "$line"; failed=1; }
done < "$expected"
[ $failed = 0 ] || printf 'gdb printed:\n%s\n' "$output"
exit $failed
