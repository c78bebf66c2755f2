#!/usr/bin/env bash
# g++ 12 miscompiles two coroutine patterns: a co_await inside a braced initializer and a
# co_await as an operand of ?: each destroy the awaited value twice (a use-after-free at run
# time). Bind the result of co_await to a named local first. This check keeps them out.
set -euo pipefail
cd "$(dirname "$0")/.."
pattern='([[:alnum:]_>]\{[^{};]*co_await)|(=[[:space:]]*\{[^{};]*co_await)|(return[[:space:]]*\{[^{};]*co_await)|(\?[^;]*co_await)'
if grep -rnE --include='*.cpp' --include='*.h' "$pattern" src tests bench 2>/dev/null; then
  echo "error: co_await inside a braced initializer or a ?: operand (g++ 12 destroys the value twice)." >&2
  echo "       Assign the awaited value to a named local, then use that." >&2
  exit 1
fi
echo "no coroutine pitfalls found"
