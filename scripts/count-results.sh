#!/usr/bin/env bash
# Prints "N passed, N failed" over the results of a test run and exits
# non-zero when anything failed. Test cases are counted from GoogleTest's XML
# files; a CTest test that left no such file (a crash, a time-out, a script
# test) counts as one case of its own.
set -uo pipefail
results=$1
passed=0
failed=0
skipped=0

count_cases() {  # <gtest xml>: prints "passed failed skipped"
  awk '
    /<testcase / { cases++; open = ($0 !~ /\/>[[:space:]]*$/); bad = 0; next }
    open && /<failure/ { if (!bad) { failures++; bad = 1 } }
    open && /<skipped/ { skipped++ }
    /<\/testcase>/ { open = 0 }
    END { print cases - failures - skipped, failures + 0, skipped + 0 }' "$1"
}

for platform in linux win fuzz; do
  junit="$results/$platform.junit.xml"
  if [ ! -f "$junit" ]; then
    echo "no results for $platform" >&2
    failed=$((failed + 1))
    continue
  fi
  # Each CTest test: <testcase name="X" ... status="run|fail|...">
  while IFS='|' read -r name status; do
    xml="$results/$platform/$name.xml"
    if [ -f "$xml" ]; then
      read -r p f s < <(count_cases "$xml")
      passed=$((passed + p))
      failed=$((failed + f))
      skipped=$((skipped + s))
      [ "$status" != run ] && [ "$f" -eq 0 ] && failed=$((failed + 1))
    elif [ "$status" = run ]; then
      passed=$((passed + 1))
    else
      echo "$platform: $name ended without results ($status)" >&2
      failed=$((failed + 1))
    fi
  done < <(grep -o '<testcase name="[^"]*"[^>]*status="[^"]*"' "$junit" |
           sed -E 's/<testcase name="([^"]*)".*status="([^"]*)"/\1|\2/')
done

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
