# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
# Lays out the browser program's folder (cmake -P, with the variables shell/web passes).
file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE}/licenses)

file(SIZE ${PROGRAM_DIR}/pendulum.wasm PENDULUM_WASM_BYTES)
configure_file(${SOURCE_DIR}/index.html.in ${SITE}/index.html COPYONLY)
configure_file(${SOURCE_DIR}/start.js.in ${SITE}/start.js @ONLY)
file(COPY ${PROGRAM_DIR}/pendulum.js ${PROGRAM_DIR}/pendulum.wasm ${PROGRAM_DIR}/qtloader.js
     ${STAGING}/pendulum.svg ${STAGING}/pendulum-32.png DESTINATION ${SITE})
file(COPY ${STAGING}/fonts DESTINATION ${SITE})
file(COPY ${QT_JA} DESTINATION ${SITE}/translations)

# Ours, Qt's (the LGPL and the texts of the parts of Qt linked in), musl's (the sine, cosine
# and arctangent the program carries), Emscripten's (its C and C++ libraries and the page's
# run-time code), and the font's, with how to put the original font in its place.
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${SITE}/LICENSE.txt COPYONLY)
file(COPY ${QT_PREFIX}/licenses/ DESTINATION ${SITE}/licenses/Qt)
configure_file(${PROJECT_SOURCE_DIR}/common/musl/COPYRIGHT ${SITE}/licenses/musl/COPYRIGHT.txt
               COPYONLY)
configure_file(${EMSCRIPTEN_COPYRIGHT} ${SITE}/licenses/Emscripten/copyright.txt COPYONLY)
configure_file(${JA_FONT_COPYRIGHT} ${SITE}/licenses/fonts/IPA-Font-License.txt COPYONLY)
configure_file(${SOURCE_DIR}/font-README.txt ${SITE}/fonts/README.txt COPYONLY)
# Where the complete source is, with the changes made to Qt.
configure_file(${SOURCE_DIR}/SOURCE.txt ${SITE}/SOURCE.txt COPYONLY)
file(COPY ${PROJECT_SOURCE_DIR}/tools/web/qt-patches/ DESTINATION ${SITE}/licenses/Qt/patches)
