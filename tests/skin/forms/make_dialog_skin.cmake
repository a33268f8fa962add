# Writes the dialog tests' skin: the form tests' skin (FROM) copied to TO with a dialog
# section (the form's light grey and green 3-pixel border), a dialog title section (dark
# blue, lighter blue while active, near-white text) and the lone close glyph (the close
# button's picture). The folder keeps the test skin's name so the harness loads it.
file(GLOB _files "${FROM}/*")
file(MAKE_DIRECTORY "${TO}")
file(COPY ${_files} DESTINATION "${TO}")
file(READ "${FROM}/Options.dat" _text)
string(REGEX MATCH "BICONCLOSE=[^\r\n]*" _close "${_text}")
string(REPLACE "BICONCLOSE=" "BICLOSEALONE=" _alone "${_close}")
string(REPLACE "[GLOBALINFO]" "[GLOBALINFO]\n${_alone}" _text "${_text}")
string(REGEX MATCH "\\[FORM\\]\nCOLOR=[^\n]*\nHOTCOLOR=[^\n]*\nSTATES=2\nBORDERSMASK=[^\n]*" _form "${_text}")
string(REPLACE "[FORM]" "[DIALOG]" _dialog "${_form}")
string(APPEND _text "\n${_dialog}\n")
string(APPEND _text "[DIALOGTITLE]\nCOLOR=8404992\nHOTCOLOR=12615680\nFONTCOLOR=14737632\nHOTFONTCOLOR=16777215\nSTATES=2\n")
file(WRITE "${TO}/Options.dat" "${_text}")
