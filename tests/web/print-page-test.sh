#!/usr/bin/env bash
# The print page in a real browser. PHP's built-in server serves the web site on a free port
# of 127.0.0.1; headless Chromium loads the print page for the URL tarnwick-plan records for
# its first plan, for a request with a different value in every place, for hostile values and
# control characters, for the URL it records for values that would break the query's format,
# and for requests with too few or too many values, and checks what the page shows, value by
# value. Then the planner's own server (tarnwick-plan --open, which serves the site it carries
# until a browser has fetched the page it was handed and its style sheet) serves Example A and
# the values that would break the query's format, with the same checks.
#
# Usage: print-page-test.sh WEB_DIR TARNWICK_PLAN SCREENSHOT_DIR
# Exit status 0 when every check holds, 1 when one fails, 77 (skipped) without php or chromium.
set -uo pipefail

web_dir=$1
plan_program=$2
screenshot_dir=$3
readonly exit_skipped=77

for tool in php chromium curl; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (bash tools/setup.sh installs it)"
    exit $exit_skipped
  fi
done

work=$(mktemp -d)
server_pid=
planner_pid=
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null; wait "$server_pid" 2>/dev/null; fi
  if [ -n "$planner_pid" ]; then kill "$planner_pid" 2>/dev/null; wait "$planner_pid" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Starts php -S on a random free port; PHP warnings and notices, if any, go into the page.
start_server() {
  local attempt
  for attempt in $(seq 20); do
    port=$((20000 + RANDOM % 40000))
    : >"$work/php.log"
    php -d display_errors=1 -d error_reporting=-1 -d html_errors=0 \
      -S "127.0.0.1:$port" -t "$web_dir" >"$work/php.log" 2>&1 &
    server_pid=$!
    # The server says so once it listens; a taken port makes it exit instead.
    while kill -0 "$server_pid" 2>/dev/null; do
      grep -q "Development Server (http://127.0.0.1:$port) started" "$work/php.log" && return 0
      sleep 0.1
    done
    wait "$server_pid" 2>/dev/null
    server_pid=
  done
  return 1
}

run_chromium() {
  local profile
  profile=$(mktemp -d -p "$work")
  timeout 120 chromium --headless --no-sandbox --disable-gpu --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --hide-scrollbars "$@" 2>>"$work/chromium.log"
}

page_url() { echo "http://127.0.0.1:$port/Tarnwick/$1"; }

# load NAME PATH: the page's DOM after loading, in $work/NAME.html.
load() { load_url "$1" "$(page_url "$2")"; }

load_url() {
  run_chromium --dump-dom "$2" >"$work/$1.html" || fail "$1: chromium could not load $2"
}

screenshot() {
  mkdir -p "$screenshot_dir"
  local file="$screenshot_dir/$1.png"
  rm -f "$file"
  run_chromium --window-size=900,1200 --screenshot="$file" "$(page_url "$2")" >/dev/null
  [ "$(head -c 4 "$file" 2>/dev/null | tail -c 3)" = "PNG" ] || fail "$1: no screenshot in $file"
}

# The text of the element with id value-POSITION, as Chromium serializes it (escaped).
value_text() {
  grep -o "id=\"value-$2\"[^>]*>[^<]*<" "$work/$1.html" | sed 's/^[^>]*>//; s/<$//'
}

expect_value() {
  local page=$1 position=$2 expected=$3 found
  found=$(value_text "$page" "$position")
  if [ "$(grep -c "id=\"value-$position\"" "$work/$page.html")" -ne 1 ]; then
    fail "$page: value $position is not shown exactly once"
  elif [ "$found" != "$expected" ]; then
    fail "$page: value $position shows '$found', expected '$expected'"
  fi
}

# expect_values PAGE TEXT...: the texts of values 1, 2, ... in that order.
expect_values() {
  local page=$1 position=1 expected
  shift
  for expected in "$@"; do
    expect_value "$page" "$position" "$expected"
    position=$((position + 1))
  done
}

# expect_beside PAGE POSITION CONTEXT: value POSITION stands right after the markup CONTEXT,
# on the same line: its caption, or the values before it in the same row.
expect_beside() {
  grep -qF -- "$3<span id=\"value-$2\"" "$work/$1.html" ||
    fail "$1: value $2 is not beside '$3'"
}

# expect_row PAGE CAPTION POSITION...: the row with the caption holds these values, in order.
expect_row() {
  local page=$1 caption=$2 row
  shift 2
  row=$(grep -F "<th scope=\"row\">$caption</th>" "$work/$page.html" | grep -o 'id="value-[0-9]*"' |
    tr -dc '0-9\n' | paste -sd' ')
  [ "$row" = "$*" ] || fail "$page: the $caption row holds values '$row', expected '$*'"
}

expect_in() {
  grep -qF -- "$2" "$work/$1.html" || fail "$1: '$2' is missing"
}

expect_not_in() {
  ! grep -qiF -- "$2" "$work/$1.html" || fail "$1: '$2' should not be there"
}

expect_complete() {
  expect_not_in "$1" 'id="incomplete"'
  expect_in "$1" '<title>ATR 72-500 fuel plan - Tarnwick</title>'
}

expect_incomplete() {
  expect_in "$1" 'id="incomplete"'
  expect_in "$1" "This request is incomplete: it carries $2 where a plan has 30."
}

expect_no_php_messages() {
  local message
  for message in "Warning:" "Notice:" "Deprecated:" "Fatal error" "Parse error"; do
    expect_not_in "$1" "$message"
  done
}

# The query of the print page URL that a click on Print records in tarnwick-plan, after the
# actions given.
recorded_print_query() {
  local url
  url=$("$plan_program" "$@" --click cmdPrint | sed -n '/^Opened$/{n;s/^  //;p}')
  [[ $url == http://*/Tarnwick/print.php\?* ]] || return 1
  echo "${url#*/Tarnwick/print.php\?}"
}

# One page of PDF when Chromium prints it on its default paper.
expect_one_printed_page() {
  run_chromium --no-pdf-header-footer --print-to-pdf="$work/$1.pdf" "$(page_url "$2")" >/dev/null
  local pages
  pages=$(grep -ac '/Type /Page\b' "$work/$1.pdf")
  [ "$pages" = 1 ] || fail "$1: printed on $pages pages"
}

# Starts tarnwick-plan --open on a random free port with the actions given and a click on
# Print, and waits until it serves the page whose URL it could not hand to a browser: offscreen,
# the planner cannot open one; it says so, with the URL, and serves the site for the browser run
# here. The URL is left in planner_url.
start_planner() {
  local attempt
  mkdir -p -m 0700 "$work/runtime"
  for attempt in $(seq 20); do
    port=$((20000 + RANDOM % 40000))
    # The last run's complaint, read before this run's redirection empties the file, would name
    # the last run's URL.
    : >"$work/planner.err"
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" "$plan_program" --open \
      --web-host "127.0.0.1:$port" "$@" --click cmdPrint >/dev/null 2>"$work/planner.err" &
    planner_pid=$!
    while kill -0 "$planner_pid" 2>/dev/null; do
      planner_url=$(sed -n 's/^tarnwick-plan: the system did not open //p' "$work/planner.err")
      [ -n "$planner_url" ] && return 0
      sleep 0.05
    done
    wait "$planner_pid" 2>/dev/null
    planner_pid=
  done
  return 1
}

# After a page load: the planner stops once the browser has fetched the print page and its
# style sheet (it would give up after 30 s otherwise), with exit status 3, since it could not
# open a browser itself.
expect_planner_done() {
  local waited
  for waited in $(seq 250); do
    kill -0 "$planner_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$planner_pid" 2>/dev/null; then
    fail "$1: the planner still serves after the browser fetched the page"
    kill "$planner_pid"
  fi
  wait "$planner_pid"
  local status=$?
  planner_pid=
  [ "$status" = 3 ] || fail "$1: the planner exited with status $status, expected 3"
  grep -q "the system did not open" "$work/planner.err" ||
    fail "$1: the planner did not say that it could not open the browser"
}

# load_from_planner NAME ACTION...: the page of the URL that the planner hands over after the
# actions, from the planner's own server. Another program that fetches the print page and the
# style sheet first (curl here) does not end the serving.
load_from_planner() {
  local name=$1
  shift
  start_planner "$@" || { fail "$name: tarnwick-plan --open did not serve"; cat "$work/planner.err"; return; }
  curl -s -o /dev/null -o /dev/null "$(page_url print.php)" "$(page_url tarnwick.css)" ||
    fail "$name: the planner did not serve another program"
  load_url "$name" "$planner_url"
  expect_planner_done "$name"
}

start_server || { echo "FAIL: php -S did not start"; cat "$work/php.log"; exit 1; }

# The plan at first start, in kilograms, without icing.
example_a=$(recorded_print_query) || { echo "FAIL: tarnwick-plan recorded no print page URL"; exit 1; }
expect_example_a() {
  expect_complete "$1"
  expect_values "$1" 120 50 FL100 Headwind 0 15 0 FL100 Headwind 0 \
    13500 0 13500 13739 13739 13500 13500 0 239 0 0 0 239 104 110 114 114 n/a 95 Kgs.
}
load example-a "print.php?$example_a"
expect_example_a example-a
screenshot print-example-a "print.php?$example_a"
expect_one_printed_page example-a "print.php?$example_a"

# A different value in every place, tailwinds and a temperature below zero.
places=(t01 t02 t03 1 t05 -12 t07 t08 1 t10 t11 t12 t13 t14 t15 t16 t17 t18 t19 t20 t21 t22 t23
  t24 t25 t26 t27 t28 t29 t30)
load places "print.php?$(IFS=+; echo "${places[*]}")"
expect_complete places
expect_values places t01 t02 t03 Tailwind t05 -12 t07 t08 Tailwind t10 t11 t12 t13 t14 t15 t16 \
  t17 t18 t19 t20 t21 t22 t23 t24 t25 t26 t27 t28 t29 t30

# Each value under its own caption, in the column its heading names.
expect_in places '<th></th><th>Distance</th><th>Cruise</th><th>Wind</th><th>Temperature</th>'
expect_row places Trip 2 3 4 5 6
expect_row places Alternate 7 8 9 10
figure_captions=("Basic operating weight" Payload "Zero fuel weight" "Ramp weight" "Takeoff weight"
  "Landing weight" "Alternate landing weight" "Taxi fuel" "Trip fuel" "Holding fuel"
  "Alternate fuel" "Reserve fuel" "Total fuel at taxi")
for i in "${!figure_captions[@]}"; do
  expect_beside places $((11 + i)) "${figure_captions[$i]}</th><td class=\"figure\">"
done
expect_in places '<th>V1/Vr</th><th>V2</th><th>Vfto</th><th>VmLB0</th><th>VmLB15</th><th>VmHB30</th>'
speeds=$(grep -o 'id="value-2[4-9]"' "$work/places.html" | tr -dc '0-9\n' | paste -sd' ')
[ "$speeds" = "24 25 26 27 28 29" ] || fail "places: the speeds stand in the order $speeds"
expect_beside places 1 'Each wing tank <strong>'
expect_beside places 30 'Weights in '

# Markup in the values, raw and percent-encoded, shows as text and never runs.
hostile='<script>document.title="owned"</script>+50+"><img src=x onerror=alert(1)>+0+0+15+0'
hostile+='+FL100+0+0+13500+%3Cscript%3Ealert(2)%3C/script%3E+13500+13739+13739+13500+13500++239'
hostile+='++0++239+104+110+114+114+n/a+95+<b>Kgs.</b>'
expect_hostile() {
  expect_complete "$1"
  expect_value "$1" 1 '&lt;script&gt;document.title="owned"&lt;/script&gt;'
  expect_value "$1" 3 '"&gt;&lt;img src=x onerror=alert(1)&gt;'
  expect_value "$1" 12 '&lt;script&gt;alert(2)&lt;/script&gt;'
  expect_value "$1" 30 '&lt;b&gt;Kgs.&lt;/b&gt;'
  for element in '<script' '<img' '<b>'; do expect_not_in "$1" "$element"; done
}
load hostile "print.php?$hostile"
expect_hostile hostile
screenshot print-hostile "print.php?$hostile"

# NUL and the other control characters (C0, DEL, C1) and the bidirectional overrides in a value
# show as nothing; what stands around them stays. A "%" that starts no escape stays as it is.
controls='a%00b%01c%09d%1Be%7Ff%C2%85g%E2%80%AEh+50%+%0D%0A+0+0+15+0+FL100+0+0+13500++13500+13739'
controls+='+13739+13500+13500++239++0++239+104+110+114+114+n/a+95+Kgs.%00'
expect_controls() {
  expect_complete "$1"
  expect_values "$1" abcdefgh 50% "" Headwind 0
  expect_value "$1" 30 Kgs.
  if tr -d '\000-\010\013\014\016-\037\177' <"$work/$1.html" | cmp -s - "$work/$1.html"; then :; else
    fail "$1: the page holds control characters"
  fi
}
load controls "print.php?$controls"
expect_controls controls

# Values that would break the query's format, pasted into the boxes: the planner percent-encodes
# them and the page shows each value whole, in its place (control characters dropped).
breaking=(--set 'txtHeadwind=1+2#3% <b>x</b>' --set $'txtHeadwindAlt=a&b=c\r\nd\x01e')
breaking_query=$(recorded_print_query "${breaking[@]}") ||
  fail "tarnwick-plan recorded no print page URL for values that would break the query"
expect_breaking() {
  expect_complete "$1"
  expect_values "$1" 120 50 FL100 Headwind '1+2#3% &lt;b&gt;x&lt;/b&gt;' 15 0 FL100 Headwind \
    'a&amp;b=cde' 13500
  expect_value "$1" 30 Kgs.
}
load breaking "print.php?$breaking_query"
expect_breaking breaking

load too-few "print.php?120+50+FL100"
expect_incomplete too-few "3 values"
expect_values too-few 120 50 FL100
expect_in too-few '<span id="value-4" class="missing">—</span>'
expect_in too-few '<span id="value-30" class="missing">—</span>'

load too-many "print.php?$example_a+x31+x32"
expect_incomplete too-many "32 values"
expect_value too-many 30 Kgs.
expect_value too-many 31 x31
expect_value too-many 32 x32

load no-query "print.php"
expect_incomplete no-query "no values"
expect_in no-query '<span id="value-1" class="missing">—</span>'

load front-page "index.html"
expect_in front-page '<title>Tarnwick - fuel planner for the ATR 72-500</title>'
expect_in front-page "href=\"print.php?$example_a\""

for page in example-a places hostile controls breaking too-few too-many no-query front-page; do
  expect_no_php_messages "$page"
done
if grep -qE "PHP (Warning|Notice|Deprecated|Fatal)" "$work/php.log"; then
  fail "the server logged PHP messages:"
  cat "$work/php.log"
fi

# The same sheet from the planner's own server.
kill "$server_pid" 2>/dev/null
wait "$server_pid" 2>/dev/null
server_pid=
load_from_planner planner-example-a
expect_example_a planner-example-a
load_from_planner planner-breaking "${breaking[@]}"
expect_breaking planner-breaking

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed; Chromium's log:"
  tail -n 20 "$work/chromium.log"
  exit 1
fi
echo "Print page checks passed; screenshots in $screenshot_dir"
