#!/bin/sh
# The checker's SARIF against the published SARIF 2.1.0 schema (Python's jsonschema, the schema
# from the npm package that cmake/setup-debian.sh installs): the README's example session, whose
# SARIF must be the one the README shows, and a script with a finding of every kind.
# usage: sarif_valid.sh CHECKER README
checker=$1
readme=$2
schema="$(npm root -g)/@microsoft/sarif-multitool-linux/sarif-2.1.0.json"
[ -f "$schema" ] || { echo "no SARIF schema at $schema: run cmake/setup-debian.sh"; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail=0
validate() {  # FILE...: each must pass the schema, and none with a level the schema lacks
    /usr/bin/python3 - "$schema" "$@" <<'PY' || fail=1
import json, sys, jsonschema
schema = json.load(open(sys.argv[1]))
validator = jsonschema.validators.validator_for(schema)(schema)
bad = False
for path in sys.argv[2:]:
    log = json.load(open(path, encoding="utf-8"))
    for e in list(validator.iter_errors(log))[:5]:
        print(path, "/".join(map(str, e.absolute_path)), e.message)
        bad = True
    log["runs"][0]["results"][0]["level"] = "fatal"
    if validator.is_valid(log):
        print(path, "the validator takes a result of level fatal")
        bad = True
sys.exit(1 if bad else 0)
PY
}
# The README's example session: its script, its disc, and the SARIF it shows.
mkdir -p "$dir/disc/drivers"
sed -n '/^### An example session/,/^    \$ build\/tarnwick-check disc$/p' "$readme" |
    sed -n 's/^    \(\[.*\|[A-Z].*=.*\)$/\1/p' | sed 's/$/\r/' >"$dir/disc/tarnwick.cfg"
touch "$dir/disc/tarnwick.exe" "$dir/disc/setup.exe" "$dir/disc/drivers/disp.inf"
sed -n '/^    \$ build\/tarnwick-check --format=sarif disc$/,/^    }$/p' "$readme" | sed '1d;s/^    //' \
    >"$dir/readme.sarif"
(cd "$dir" && "$checker" --format=sarif disc >example.sarif)
[ $? = 1 ] || { echo "the example session: exit code not 1"; fail=1; }
[ -s "$dir/readme.sarif" ] || { echo "no SARIF in the README"; fail=1; }
# The version is the release's: the README need not change with it.
sed -i 's/"name": "tarnwick-check", "version": "[^"]*"/"name": "tarnwick-check", "version": ""/' \
    "$dir/readme.sarif" "$dir/example.sarif"
cmp -s "$dir/readme.sarif" "$dir/example.sarif" ||
    { echo "the README's SARIF is not the checker's:"; diff "$dir/readme.sarif" "$dir/example.sarif"; fail=1; }

# A finding of every kind, texts with bytes from 0x80 up, a folder name with a blank.
mkdir -p "$dir/my disc"
{
    printf '%s\r\n' '[tarnwick]' 'NUMBEROFCOMMANDS=5' '[COMMAND1]' \
        'COMMANDLINE=msiexec /i product.msi /l*v x.log' 'COMMANDLNE=x' '[COMMAND2]' \
        'COMMANDTYPE=11' 'SOURCEFILENAME=%temp%\a' 'DESTFILENAME=%TEMP%' '[COMMAND4]' 'COMMANDTYPE=2'
    printf 'REGKEY=Software/\351t\351\r\n[COMAND5]\r\n'
} >"$dir/my disc/tarnwick.cfg"
"$checker" --format=sarif "$dir/my disc" >"$dir/every.sarif"
[ $? = 1 ] || { echo "every kind: exit code not 1"; fail=1; }
grep -q '"uri": "file:///.*/my%20disc/tarnwick.cfg"' "$dir/every.sarif" ||
    { echo "every kind: the file's URI"; fail=1; }
validate "$dir/readme.sarif" "$dir/every.sarif"
[ $fail = 0 ] || cat "$dir/every.sarif"
exit $fail
