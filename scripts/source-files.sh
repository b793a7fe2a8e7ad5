# shellcheck shell=bash
# The project's tracked files by language, NUL-separated, for the scripts that lay out and
# check them. clang-format must only ever see C++: run over a script or a CMake file, it
# breaks the first line (#!/ usr / bin / env) and joins words to their comment's hash.

cpp_files() { git ls-files -z -- '*.cpp' '*.h'; }

cmake_files() { git ls-files -z -- '*CMakeLists.txt' '*.cmake'; }

# Files of a language known by their name's ending, or by the interpreter of their first line.
# files_of EXTENSION INTERPRETER_REGEX
files_of() {
  local file
  git ls-files -z | while IFS= read -r -d '' file; do
    case $file in *.cpp | *.h) continue ;; esac
    if [[ $file == *."$1" ]] || head -n1 "$file" 2>/dev/null | grep -qE "^#!.*[/ ]($2)\$"; then
      printf '%s\0' "$file"
    fi
  done
}

python_files() { files_of py 'python3?'; }

shell_files() { files_of sh 'bash|sh'; }
