#!/usr/bin/env bash
# The language of the dialog from the locale and from command-line words.
. "$(dirname "$0")/e2e-lib.sh"
e2e_start_display
e2e_prefix languages winxp

language_case() {
  local what=$1 locale=$2 language=$3; shift 3
  LC_ALL=$locale start_dravolin "$@"
  check "$what: captions and welcome" expect_captions "$language" + expect-text 1004 $TEXT_WELCOME "$language"
  drv command 1000
  check "$what: ends with 0" exits_with "$DRAVOLIN_PID" 0
}

language_case "English locale" en_US.UTF-8 $ENGLISH
language_case "/xGERMAN" en_US.UTF-8 $GERMAN /xGERMAN
language_case "lower-case word" en_US.UTF-8 $ENGLISH german
language_case "ENGLISH and SPANISH" en_US.UTF-8 $SPANISH SPANISH ENGLISH
language_case "Swiss German locale" de_CH.UTF-8 $GERMAN
language_case "Belgian Dutch locale" nl_BE.UTF-8 $DUTCH
language_case "Brazilian locale falls back to English" pt_BR.UTF-8 $ENGLISH
language_case "ITALIAN word over French locale" fr_FR.UTF-8 $ITALIAN ITALIAN
e2e_end
