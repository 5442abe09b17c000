# A shared library exports its public interface and nothing else: every name that
# `nm -D --defined-only` lists must be declared in the public headers, and every function
# declared there must be exported. The standard library's template instances and the
# linker's own marks are not the library's.
# Usage: exports.sh LIBRARY HEADER...
set -eu
library=$1
shift
# Each name before "(" in the headers, leaving out comments, preprocessor lines and deleted
# members.
declared=$(sed -e 's|//.*||' -e '/^#/d' -e '/= delete/d' "$@" |
    grep -oE '~?[A-Za-z_][A-Za-z0-9_]*\(' | tr -d '(' | sort -u)
# Each exported name without its parameters and class, as the headers write it.
exported=$(nm -DC --defined-only "$library" | cut -d' ' -f3- | sed 's/(.*//' |
    grep -vE '^(std|__gnu_cxx)::' | grep -vxE '_end|_edata|__bss_start|_init|_fini' |
    sed 's/.*:://' | sort -u)
leaked=$(comm -13 <(echo "$declared") <(echo "$exported"))
missing=$(comm -23 <(echo "$declared") <(echo "$exported"))
if [ -n "$leaked" ]; then
    echo "$(basename "$library") exports internal symbols: $(tr '\n' ' ' <<<"$leaked")" >&2
    exit 1
fi
if [ -n "$missing" ]; then
    echo "$(basename "$library") does not export: $(tr '\n' ' ' <<<"$missing")" >&2
    exit 1
fi
echo "$(basename "$library") exports the $(wc -l <<<"$exported") names of its public headers"
