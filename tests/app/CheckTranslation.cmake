cmake_minimum_required(VERSION 3.25)
# Brings a copy of the translation up to date with the source and fails
# unless lrelease finds every text in it translated: a text added to the
# source without its Russian one would show in English in the Russian
# interface.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(copy "${WORK_DIR}/scrivlet_ru.ts")
file(COPY_FILE "${TRANSLATION}" "${copy}")
execute_process(COMMAND "${LUPDATE}" -silent -locations none -no-obsolete "${SOURCE_DIR}"
                        -ts "${copy}"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${err}")
endif()
execute_process(COMMAND "${LRELEASE}" "${copy}" -qm "${WORK_DIR}/scrivlet_ru.qm"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(rc EQUAL 0 AND out MATCHES " 0 unfinished\\)" AND NOT out MATCHES "untranslated")
  return()
endif()
file(READ "${copy}" ts)
string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\""
       unfinished "${ts}")
list(TRANSFORM unfinished REPLACE "<source>([^<]*)</source>.*" "  \\1")
list(JOIN unfinished "\n" unfinished)
message(FATAL_ERROR
  "Texts without their Russian translation: bring translations/scrivlet_ru.ts up to date "
  "(the update_translations target) and translate them there.\n${unfinished}\n${out}")
