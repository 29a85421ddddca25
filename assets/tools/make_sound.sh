#!/bin/sh
# Makes one sound file of the suite.
#   make_sound.sh OUT VOICE TEXT SHAPING PRONOUNCE_TSV SPEAK_TOOL TIMES
# VOICE is a flite voice (the TEXT is spoken) or "sox" (TEXT names a synthesised effect).
# SHAPING is an optional list of sox effects applied to a spoken effect ("pitch 500").
# SPEAK_TOOL (storyloom_speak) speaks the text and times its words; TIMES, unless "-", receives
# those times as rows of the read-along table: file name, word index, word, start and end in
# milliseconds of the finished file.
# Every sound is mono 44.1 kHz and brought to one loudness; narration is a little louder than
# effects so that an effect never drowns a voice. MP3s are CBR 64 kbit/s, which keeps the
# length header so that decoders do not pad the end.
set -eu
out=$1 voice=$2 text=$3 shaping=$4 pronounce=$5 speak_tool=$6 times=$7
[ "$shaping" = - ] && shaping=
# Silence before and after speech, in seconds; the word times are moved by the first.
lead=0.05 tail=0.15

work=$(mktemp -d "${TMPDIR:-/tmp}/storyloom-sound.XXXXXX")
trap 'rm -rf "$work"' EXIT
raw=$work/raw.wav

# Joins numbered parts p0.wav p1.wav ... into $raw.
join_parts() {
  sox "$work"/p*.wav "$raw"
}

# One short synthesised piece: part NUMBER SECONDS SYNTH-ARGS... (silence when SYNTH is "gap").
part() {
  n=$1 len=$2; shift 2
  name=$(printf '%s/p%03d.wav' "$work" "$n")
  if [ "$1" = gap ]; then
    sox -n -r 44100 -c 1 -b 16 "$name" trim 0 "$len"
  else
    sox -n -r 44100 -c 1 -b 16 "$name" synth "$len" "$@"
  fi
}

synthesise() {
  case $1 in
  hiss)  # a snake: two long hisses
    part 0 1.0 whitenoise gain -8 highpass 3500 lowpass 9000 fade q 0.25 1.0 0.35
    part 1 0.25 gap
    part 2 1.3 whitenoise gain -8 highpass 3500 lowpass 9000 fade q 0.2 1.3 0.6
    join_parts ;;
  chirps)  # a few songbirds: quick rising and falling whistles
    i=0
    for f in 2800-4200 4200-3000 3000-4600 2600-3800 3900-5000 4400-3000 3000-4200 3600-4800; do
      part $i 0.07 sine $f fade q 0.01 0.07 0.02; i=$((i + 1))
      part $i 0.05 gap; i=$((i + 1))
      part $i 0.06 sine "$(echo $f | sed 's/-.*//')"-5000 fade q 0.01 0.06 0.02; i=$((i + 1))
      part $i 0.17 gap; i=$((i + 1))
    done
    join_parts ;;
  chatter|chatter-low)  # a squirrel (high) or raccoon (low): quick scolding chucks
    if [ "$1" = chatter ]; then lo=1800 hi=2600; else lo=700 hi=1100; fi
    i=0
    for k in 1 2 3; do
      for j in 1 2 3 4 5 6; do
        part $i 0.035 square $hi-$lo fade q 0.005 0.035 0.015; i=$((i + 1))
        part $i 0.045 gap; i=$((i + 1))
      done
      part $i 0.3 gap; i=$((i + 1))
    done
    join_parts ;;
  chip)  # a chipmunk: single sharp "chip" calls
    i=0
    for k in 1 2 3 4 5; do
      part $i 0.05 sine 5200-3000 fade q 0.005 0.05 0.02; i=$((i + 1))
      part $i 0.25 gap; i=$((i + 1))
    done
    join_parts ;;
  water)  # running water: rushing noise with a babbling flutter
    sox -n -r 44100 -c 1 -b 16 "$work/a.wav" synth 2.6 brownnoise lowpass 1200 tremolo 5 30
    sox -n -r 44100 -c 1 -b 16 "$work/b.wav" synth 2.6 pinknoise bandpass 2500 1500 tremolo 11 60
    sox -m "$work/a.wav" "$work/b.wav" "$raw" fade q 0.4 2.6 0.6 ;;
  hooves|gallop)  # hooves on the ground: clip-clop (deer) or the three-beat of a gallop (colt)
    if [ "$1" = hooves ]; then pattern="0.35 0.25 0.35 0.25 0.45 0.3"; else pattern="0.09 0.09 0.25 0.09 0.09 0.25 0.09 0.09 0.25 0.09 0.09 0.3"; fi
    i=0
    for g in $pattern; do
      part $i 0.05 brownnoise lowpass 900 fade q 0.002 0.05 0.04; i=$((i + 1))
      part $i "$g" gap; i=$((i + 1))
    done
    join_parts ;;
  growl)  # a bear: a low rough growl that swells and fades
    sox -n -r 44100 -c 1 -b 16 "$work/a.wav" synth 1.8 sawtooth 85-60 tremolo 23 80 lowpass 700
    sox -n -r 44100 -c 1 -b 16 "$work/b.wav" synth 1.8 brownnoise lowpass 500 tremolo 17 70
    sox -m "$work/a.wav" "$work/b.wav" "$raw" overdrive 8 fade t 0.35 1.8 0.6 ;;
  *)
    echo "make_sound.sh: unknown effect '$1'" >&2
    exit 1 ;;
  esac
}

speak() {
  # The page texts put two blanks between words; the speaker splits at any run of blanks, so
  # they are not heard as pauses. It respells words through the pronunciation table itself.
  lead_ms=$(awk -v s="$lead" 'BEGIN { printf "%d", s * 1000 + 0.5 }')
  "$speak_tool" "$voice" "$text" "$pronounce" "$work/flite.wav" "$work/times.tsv" "$lead_ms"
  # shellcheck disable=SC2086 # the shaping is a list of sox effects
  sox "$work/flite.wav" -r 44100 -c 1 -b 16 "$raw" $shaping pad "$lead" "$tail"
}

if [ "$voice" = sox ]; then synthesise "$text"; else speak; fi

# One loudness for all: bring the RMS level to the target, but keep peaks below -1 dBFS.
target=-18
case $voice in sox) target=-22 ;; esac
stats=$(sox "$raw" -n stats 2>&1)
rms=$(printf '%s\n' "$stats" | awk '/^RMS lev dB/ {print $4}')
peak=$(printf '%s\n' "$stats" | awk '/^Pk lev dB/ {print $4}')
gain=$(awk -v t="$target" -v r="$rms" -v p="$peak" 'BEGIN { g = t - r; if (p + g > -1) g = -1 - p; printf "%.2f", g }')
sox "$raw" -r 44100 -c 1 -b 16 "$work/level.wav" gain "$gain"

mkdir -p "$(dirname "$out")"
case $out in
*.wav|*.WAV) cp "$work/level.wav" "$out.part" ;;
*) lame --quiet -b 64 -m m "$work/level.wav" "$out.part" ;;
esac
mv "$out.part" "$out"

if [ "$times" != - ]; then
  mkdir -p "$(dirname "$times")"
  name=$(basename "$out")
  awk -v name="$name" 'BEGIN { OFS = "\t" } { print name, $0 }' "$work/times.tsv" > "$times.part"
  mv "$times.part" "$times"
fi
