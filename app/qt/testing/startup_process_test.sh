#!/usr/bin/env bash
# The window program's start-up and shut-down as real processes, under the
# offscreen platform, each case with folders of its own in WORK:
#   a second start hands "file:" with a relative path to the first, which
#   opens it by its absolute path; so does a bare path; a second start ends
#   at once while the first asks a question, and the file opens after the
#   answer; a file name that is not UTF-8 is handed over too; an empty second
#   start only brings the window forward; a running program that does not
#   answer makes a second start fail with 1 after 5 seconds; a socket left by
#   kill -9 does not block the next start; of two simultaneous starts one
#   stays; SIGTERM hibernates a modified drawing, which the next start shows
#   marked modified, also while a question is open; after kill -9 past the copy interval the next start
#   restores the stroke; Exit answered No leaves no hibernation file.
# The running program is driven through later starts with MIRABO_TEST_HOOKS
# (see app/qt/desktop_test_hooks.h).
#
# usage: startup_process_test.sh MIRABO MIRABO-CLI WORK [CASE...]
set -u

[ $# -ge 3 ] || { echo "usage: $0 MIRABO MIRABO-CLI WORK [CASE...]" >&2; exit 2; }
[ -x "$1" ] || { echo "no program at $1" >&2; exit 1; }
mkdir -p "$3"
# Absolute, since every case starts programs from folders of its own.
mirabo=$(realpath "$1")
cli=$(realpath "$2")
work=$(realpath "$3")
shift 3

export QT_QPA_PLATFORM=offscreen
export MIRABO_TEST_HOOKS=1
unset DESKTOP_STARTUP_ID XDG_ACTIVATION_TOKEN

failures=0
current=
pids=()

fail() {
    echo "FAIL [$current]: $*" >&2
    failures=$((failures + 1))
    return 1
}

# Fresh folders for one case: the instance socket, the desktop's files and
# the device (where the hibernation file lives) all under WORK/NAME.
fresh() {
    current=$1
    local base=$work/$1
    rm -rf "$base"
    mkdir -p "$base/runtime" "$base/data" "$base/config" "$base/state" "$base/device" "$base/docs"
    chmod 700 "$base/runtime"
    export XDG_RUNTIME_DIR=$base/runtime XDG_DATA_HOME=$base/data XDG_CONFIG_HOME=$base/config
    export XDG_STATE_HOME=$base/state XDG_CACHE_HOME=$base/cache MIRABO_DEVICE_ROOT=$base/device
    unset MIRABO_HIBERNATE_SECONDS
    socket=$XDG_RUNTIME_DIR/mirabo/instance
    hibernation=$MIRABO_DEVICE_ROOT/Temp/hibernate_sketch.zsf
    log=$base/first.log
    docs=$base/docs
    echo "--- $1"
}

# Starts the first instance in the background (from WORK, not the
# documents' folder) and waits until it answers.
start_first() {
    (cd "$work" && exec "$mirabo" "$@") >>"$log" 2>>"$log.err" &
    pid=$!
    pids+=("$pid")
    local i
    for i in $(seq 1 300); do
        [ -S "$socket" ] && break
        kill -0 "$pid" 2>/dev/null || { fail "the program ended at start-up"; return 1; }
        sleep 0.1
    done
    # The socket comes before the window; the first answer after both.
    for i in $(seq 1 10); do
        timeout 30 "$mirabo" test:state >/dev/null 2>&1 && return 0
        kill -0 "$pid" 2>/dev/null || break
    done
    fail "the program did not answer after starting"
}

# A later start that drives the running program (it never becomes the
# running program itself; the time limit is only a guard).
control() {
    timeout 30 "$mirabo" "test:$*" || fail "test:$* ended with $?"
}

# The running program's state line, asked for now.
state() {
    control state || return 1
    grep '^state ' "$log" | tail -n 1
}

field() {  # field NAME STATE-LINE
    local word
    for word in $2; do
        case $word in "$1="*) echo "${word#*=}"; return 0 ;; esac
    done
}

# Waits up to 10 seconds for a process of ours to end (then kills it and
# fails); its status in $status.
wait_end() {
    local i
    for i in $(seq 1 100); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$1" 2>/dev/null; then
        fail "process $1 did not end"
        kill -KILL "$1"
    fi
    wait "$1" 2>/dev/null
    status=$?
}

# Waits up to 5 seconds for the running program's document to be PATH; the
# last state line asked for is left in $s.
wait_for_path() {  # wait_for_path PATH
    local i
    for i in $(seq 1 50); do
        s=$(state)
        [ "$(field path "$s")" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

stop_first() {
    kill -TERM "$pid" 2>/dev/null
    wait_end "$pid"
}

# A saved sketch document, written by the command-line program.
make_document() {  # make_document PATH-WITHOUT-EXTENSION
    printf 'down 10 10\nmove 40 60\nup 40 60\nchoose "%s"\nmenu 40043\n' "$1" >"$1.replay"
    "$cli" replay "$1.replay" >/dev/null || fail "mirabo-cli could not write $1.zsf"
}

case_help() {
    fresh help
    local out
    out=$(env -u QT_QPA_PLATFORM DISPLAY= WAYLAND_DISPLAY= "$mirabo" --help) ||
        fail "--help ended with $?"
    case $out in "usage: mirabo"*) ;; *) fail "--help printed: $out" ;; esac
    out=$(env -u QT_QPA_PLATFORM DISPLAY= WAYLAND_DISPLAY= "$mirabo" --version) ||
        fail "--version ended with $?"
    case $out in "mirabo "*) ;; *) fail "--version printed: $out" ;; esac
    [ -S "$socket" ] && fail "--help made an instance socket"
}

case_hand_off() {
    fresh hand-off
    make_document "$docs/first"
    make_document "$docs/second"
    start_first || return
    # Nobody touched the drawing there is, so opening asks nothing about it:
    # a question would leave the file unopened here.
    (cd "$docs" && timeout 30 "$mirabo" file:first.zsf) || fail "the hand-off of file:first.zsf ended with $?"
    local s
    s=$(state)
    [ "$(field path "$s")" = "$docs/first.zsf" ] || fail "opened: $s"
    # A bare path to an existing file is opened too, again without a question.
    (cd "$docs" && timeout 30 "$mirabo" second.zsf) || fail "the hand-off of second.zsf ended with $?"
    s=$(state)
    [ "$(field path "$s")" = "$docs/second.zsf" ] || fail "opened: $s"
    [ "$(field modified "$s")" = 0 ] || fail "an opened document counts as modified: $s"
    stop_first
}

milliseconds() { date +%s%3N; }

case_question_left_open() {
    fresh question-open
    make_document "$docs/first"
    start_first || return
    # Unsaved work, so opening asks about it.
    control stroke 20 20 50 50
    local blank
    blank=$(field picture "$(state)")
    # Opening asks about the unsaved drawing, and nobody answers yet: the
    # later start is done as soon as the running program has taken the file.
    local started
    started=$(milliseconds)
    (cd "$docs" && timeout 30 "$mirabo" file:first.zsf 2>"$work/question-open/second.err") ||
        fail "the hand-off ended with $? while the question waited: $(cat "$work/question-open/second.err")"
    local took=$(($(milliseconds) - started))
    [ $took -lt 3000 ] || fail "the hand-off waited $took ms for the question"
    # Meanwhile later starts are still taken, and the file opens once the
    # question has its answer.
    control answer no
    local s
    wait_for_path "$docs/first.zsf" || fail "not opened after the answer: $s"
    [ "$(field picture "$s")" != "$blank" ] || fail "the document's picture is not shown: $s"
    stop_first
}

case_hand_off_waits_for_the_users_question() {
    fresh users-question
    make_document "$docs/first"
    start_first || return
    control stroke 20 20 50 50
    # New asks about the drawing, and the user has not answered yet.
    control command 40045
    sleep 0.5
    (cd "$docs" && timeout 30 "$mirabo" file:first.zsf) || fail "the hand-off ended with $?"
    sleep 0.5
    local s
    s=$(state)
    [ -z "$(field path "$s")" ] || fail "opened over the user's question: $s"
    # The user's own question is answered first; then the file's open asks.
    control answer cancel
    sleep 0.5
    control answer no
    wait_for_path "$docs/first.zsf" || fail "not opened after the user's answer: $s"
    stop_first
}

case_non_utf8_name() {
    fresh non-utf8-name
    make_document "$docs/first"
    # A name in Latin-1, as older file systems and archives have them.
    local name=$docs/caf$'\xe9'.zsf
    cp "$docs/first.zsf" "$name"
    start_first || return
    control answer no
    (cd "$docs" && timeout 30 "$mirabo" "$name") || fail "the hand-off of a Latin-1 name ended with $?"
    local s i
    for i in $(seq 1 50); do
        s=$(state)
        case $(field path "$s") in "$docs/caf"*.zsf) break ;; esac
        sleep 0.1
    done
    case $(field path "$s") in "$docs/caf"*.zsf) ;; *) fail "not opened: $s" ;; esac
    stop_first
}

case_empty_start_only_raises() {
    fresh empty-start
    start_first || return
    control stroke 20 20 50 50
    local before after
    before=$(state)
    timeout 30 "$mirabo" || fail "the empty second start ended with $?"
    after=$(state)
    [ "$(field raised "$after")" = $(($(field raised "$before") + 1)) ] ||
        fail "not brought forward: $before / $after"
    for f in pid modified path picture size; do
        [ "$(field $f "$before")" = "$(field $f "$after")" ] || fail "$f changed: $before / $after"
    done
    stop_first
}

case_no_answer() {
    fresh no-answer
    start_first || return
    kill -STOP "$pid"
    local started=$SECONDS err=$work/no-answer/second.err
    timeout 30 "$mirabo" 2>"$err"
    local rc=$?
    kill -CONT "$pid"
    [ $rc = 1 ] || fail "a start that got no answer ended with $rc"
    grep -q "did not answer" "$err" || fail "nothing said on standard error: $(cat "$err")"
    [ $((SECONDS - started)) -le 8 ] || fail "waited $((SECONDS - started)) seconds"
    stop_first
}

case_killed_socket() {
    fresh killed-socket
    start_first || return
    local old=$pid
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null
    [ -S "$socket" ] || fail "kill -9 left no socket (nothing to test)"
    start_first || return
    local s
    s=$(state)
    [ "$(field pid "$s")" = "$pid" ] && [ "$pid" != "$old" ] || fail "the new start is not the instance: $s"
    stop_first
}

case_simultaneous() {
    fresh simultaneous
    (cd "$work" && exec "$mirabo") >>"$log" 2>>"$log.err" &
    local a=$!
    (cd "$work" && exec "$mirabo") >>"$log" 2>>"$log.err" &
    local b=$!
    pids+=("$a" "$b")
    local i alive ended
    for i in $(seq 1 150); do
        if ! kill -0 "$a" 2>/dev/null; then ended=$a alive=$b; break; fi
        if ! kill -0 "$b" 2>/dev/null; then ended=$b alive=$a; break; fi
        sleep 0.1
    done
    [ -n "${ended:-}" ] || { fail "both starts still run"; kill -KILL "$a" "$b"; return; }
    wait "$ended"
    status=$?
    [ $status = 0 ] || fail "the start that handed over ended with $status"
    kill -0 "$alive" 2>/dev/null || { fail "no instance is left"; return; }
    pid=$alive
    local s
    s=$(state)
    [ "$(field pid "$s")" = "$alive" ] || fail "the instance is not the one left: $s"
    stop_first
}

case_sigterm_hibernates() {
    fresh sigterm
    start_first || return
    control stroke 20 20 80 60
    local s
    s=$(state)
    [ "$(field modified "$s")" = 1 ] || fail "the stroke did not modify the drawing: $s"
    local picture
    picture=$(field picture "$s")
    kill -TERM "$pid"
    wait_end "$pid"
    [ $status = 0 ] || fail "SIGTERM ended the program with $status"
    [ -f "$hibernation" ] || { fail "no hibernation file after SIGTERM"; return; }
    start_first || return
    s=$(state)
    [ "$(field modified "$s")" = 1 ] && [ "$(field marked "$s")" = 1 ] ||
        fail "the restored drawing is not marked modified: $s"
    [ "$(field picture "$s")" = "$picture" ] || fail "another picture came back: $s"
    stop_first
}

case_sigterm_during_question() {
    fresh sigterm-question
    start_first || return
    control stroke 20 20 80 60
    local picture
    picture=$(field picture "$(state)")
    # New asks about the drawing; the question stays open while SIGTERM comes.
    timeout 30 "$mirabo" test:command 40045 &
    local asking=$!
    pids+=("$asking")
    sleep 1.5
    kill -TERM "$pid"
    wait_end "$pid"
    [ $status = 0 ] || fail "SIGTERM during the question ended the program with $status"
    wait_end "$asking"
    [ -f "$hibernation" ] || { fail "no hibernation file after SIGTERM"; return; }
    start_first || return
    local s
    s=$(state)
    [ "$(field modified "$s")" = 1 ] && [ "$(field picture "$s")" = "$picture" ] ||
        fail "the drawing did not come back: $s"
    stop_first
}

case_kill_after_interval() {
    fresh kill-after-interval
    export MIRABO_HIBERNATE_SECONDS=1
    start_first || return
    control stroke 30 30 90 120
    local s picture
    s=$(state)
    picture=$(field picture "$s")
    local i
    for i in $(seq 1 50); do
        [ -f "$hibernation" ] && break
        sleep 0.1
    done
    [ -f "$hibernation" ] || fail "no copy 5 seconds after the change"
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null
    start_first || return
    s=$(state)
    [ "$(field modified "$s")" = 1 ] && [ "$(field picture "$s")" = "$picture" ] ||
        fail "the stroke did not come back: $s"
    stop_first
}

case_exit_no() {
    fresh exit-no
    export MIRABO_HIBERNATE_SECONDS=1
    start_first || return
    control stroke 30 30 90 120
    local i
    for i in $(seq 1 50); do
        [ -f "$hibernation" ] && break
        sleep 0.1
    done
    [ -f "$hibernation" ] || fail "no copy to remove (nothing to test)"
    control answer no
    control command 40031
    wait_end "$pid"
    [ $status = 0 ] || fail "Exit ended the program with $status"
    [ -f "$hibernation" ] && fail "Exit answered No left the hibernation file"
    start_first || return
    local s
    s=$(state)
    [ "$(field modified "$s")" = 0 ] || fail "discarded work came back: $s"
    stop_first
}

cleanup() {
    local p
    for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; done
}
trap cleanup EXIT

cases=("$@")
[ ${#cases[@]} = 0 ] && cases=(help hand_off question_left_open hand_off_waits_for_the_users_question non_utf8_name empty_start_only_raises no_answer killed_socket
                              simultaneous sigterm_hibernates sigterm_during_question
                              kill_after_interval exit_no)
for c in "${cases[@]}"; do
    "case_$c"
done
if [ $failures != 0 ]; then
    echo "$failures failure(s); the programs' output is in $work/*/first.log*" >&2
    exit 1
fi
echo "all start-up process cases passed"
