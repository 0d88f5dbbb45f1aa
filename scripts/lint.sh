#!/usr/bin/env bash
# Checks the habits the build cannot: every C++ file formatted as clang-format would leave
# it (the nearest .clang-format applies to each file), and no finding of shellcheck in any
# shell script. Looks at the files git knows, plus new ones not yet added and not ignored.
# Prints each finding and fails if there is any; changes nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

for tool in git clang-format shellcheck; do
  command -v "$tool" >/dev/null || { echo "lint: falta $tool (scripts/install-deps.sh)" >&2; exit 1; }
done

cpp=()
shell=()
while IFS= read -r -d '' f; do
  [[ -f "$f" ]] || continue # deleted in the working tree, not yet in the index
  case "$f" in
    *.cpp | *.cc | *.cxx | *.h | *.hh | *.hpp) cpp+=("$f") ;;
    *.sh) shell+=("$f") ;;
    *)
      # Scripts without the extension (bench/run, .ci/run) are known by their first line.
      if [[ $(head -c 64 "$f" | head -n 1 | tr -d '\0') =~ ^#!.*[/[:space:]](ba|da|k)?sh([[:space:]]|$) ]]; then
        shell+=("$f")
      fi
      ;;
  esac
done < <(git ls-files -z --cached --others --exclude-standard)

status=0
echo "lint: clang-format, ${#cpp[@]} ficheros C++"
if ((${#cpp[@]})); then
  printf '%s\0' "${cpp[@]}" | xargs -0 clang-format --dry-run --Werror || status=1
fi
# .shellcheckrc at the top follows sourced files from each script's own folder.
echo "lint: shellcheck, ${#shell[@]} guiones"
if ((${#shell[@]})); then
  shellcheck "${shell[@]}" || status=1
fi
((status == 0)) || echo "lint: hay fallos (clang-format -i FICHERO corrige el formato)" >&2
exit "$status"
