#!/usr/bin/env bash
# Writes the seed corpus of the fuzz targets into fuzz/corpus/. Every seed is synthetic: a few
# bytes that steer the target to its interesting paths, never content from a real cartridge.
set -euo pipefail
cd "$(dirname "$0")"

# seed TARGET NAME HEX...: one seed file from hex bytes.
seed() {
  local target=$1 name=$2
  shift 2
  mkdir -p "corpus/$target"
  local bytes=""
  for b in "$@"; do bytes+="\\x$b"; done
  printf "$bytes" >"corpus/$target/$name"
}

# Field text: UTF-16 text, low byte first.
utf16() {
  local target=$1 name=$2 text=$3 hex=() i c
  for ((i = 0; i < ${#text}; i++)); do
    printf -v c '%02x' "'${text:i:1}"
    hex+=("$c" 00)
  done
  seed "$target" "$name" "${hex[@]}"
}

# A command line: the arguments separated by NUL bytes.
cmdline() {
  local target=$1 name=$2
  shift 2
  mkdir -p "corpus/$target"
  local first=1
  for arg in "$@"; do
    [ $first -eq 1 ] || printf '\0'
    printf '%s' "$arg"
    first=0
  done >"corpus/$target/$name"
}

rm -rf corpus
utf16 field_text empty ""
utf16 field_text decimal "123"
utf16 field_text negative "-42"
utf16 field_text plus_after_blanks " 	+7"
utf16 field_text hex '$1F'
utf16 field_text hex_negative '-$ff'
utf16 field_text binary "%1011"
utf16 field_text letters "abc"
utf16 field_text digits_then_letters "300x"
utf16 field_text wraps_64_bits "99999999999999999999"
utf16 field_text hex_64_bits '$FFFFFFFFFFFFFFFF'
utf16 field_text minimum "-9223372036854775808"
utf16 field_text sign_only "-"
seed field_text fullwidth_digits 11 ff 12 ff
seed field_text arabic_indic_digit 61 06
seed field_text nul_inside 31 00 00 00 32 00
seed field_text odd_length 31 00 32

# Stat layout: byte 0 picks the length (0 mod 8: the payload as it is; 1..7: an anchor), byte 1
# moves it (signed), byte 2 holds the flags (bit 0 signature, bits 1-2 payload place, bit 3
# negate); the payload follows.
seed stat_layout raw_header 00 00 00 4e 45 53 1a 10 00 40 00
seed stat_layout raw_tiny 00 00 00 01
for anchor in 1 2 3 4 5 6 7; do
  seed stat_layout "anchor${anchor}_exact_signed" "0$anchor" 00 01 12 34 56 78 9a bc de f0
  seed stat_layout "anchor${anchor}_one_short_signed" "0$anchor" ff 01 12 34 56 78
  seed stat_layout "anchor${anchor}_one_over_unsigned" "0$anchor" 01 00 12 34
done
seed stat_layout signature_cut_in_half 01 fe 01
seed stat_layout signature_from_payload 01 00 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 \
  79 3c af 85 ff ff
seed stat_layout tires_yellow_row_cut 02 f6 07 ff ee dd cc bb aa 99 88 77 66 55 44 33 22 11
seed stat_layout top_speed_negated 05 00 0d 80 81 82 83 84 85 86 87 88 89

# zentrax-stats command lines; the target fails every file call, so the paths need not exist.
cmdline cli_args help --help
cmdline cli_args no_command
cmdline cli_args unknown_command frobnicate game.nes
cmdline cli_args show game.nes
cmdline cli_args show_json show game.nes --json
cmdline cli_args set_one set game.nes base_top_speed=1
cmdline cli_args set_hex_and_binary set game.nes 'top_speed.car2.gold=$1F' 'motor_accel.black=%101'
cmdline cli_args set_too_wide set game.nes ai_accel.car3.mega=70000
cmdline cli_args set_twice set game.nes base_top_speed=1 base_top_speed=2
cmdline cli_args set_unknown_stat set game.nes top_speed.car4.red=1
cmdline cli_args set_without_value set game.nes base_top_speed
cmdline cli_args set_as_ips set game.nes tires.normal.skinny=513 --ips game.ips
cmdline cli_args set_as_bps set game.nes tires.yellow_ai_rare.dynafit=7 --bps game.bps
cmdline cli_args set_help set --help
cmdline cli_args export_to_file export game.nes -o stats.json
cmdline cli_args import import game.nes stats.json
cmdline cli_args diff diff a.nes b.nes
