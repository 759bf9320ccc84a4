# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
# Lays out the browser program's folder (cmake -P, with the variables shell/web passes).
file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE}/licenses)

# What the page and its worker load: the program and the files it carries are stored
# gzip-compressed (PATH.gz), which the page unpacks, so that any server sends them small.
set(packed ${PROGRAM_DIR}/pendulum.js ${PROGRAM_DIR}/pendulum.wasm
    ${STAGING}/fonts/pendulum-gothic.ttf ${QT_JA})
set(packed_names pendulum.js pendulum.wasm fonts/pendulum-gothic.ttf translations/qtbase_ja.qm)
# The fonts for characters beyond the program's font, which the page fetches only when a field
# first shows one.
set(fallback_names "")
foreach(font IN LISTS FALLBACK_FONTS)
    get_filename_component(name ${font} NAME)
    list(APPEND packed ${font})
    list(APPEND packed_names fonts/${name})
    list(APPEND fallback_names fonts/${name})
endforeach()
list(TRANSFORM fallback_names REPLACE "(.+)" "'\\1'" OUTPUT_VARIABLE quoted)
list(JOIN quoted ", " PENDULUM_FALLBACK_FONTS)
set(plain ${PROGRAM_DIR}/qtloader.js ${STAGING}/pendulum.svg ${STAGING}/icons)
file(COPY ${plain} DESTINATION ${SITE})
foreach(file name IN ZIP_LISTS packed packed_names)
    get_filename_component(folder ${SITE}/${name} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(ARCHIVE_CREATE OUTPUT ${SITE}/${name}.gz PATHS ${file} FORMAT raw COMPRESSION GZip
         COMPRESSION_LEVEL 9)
endforeach()
file(SIZE ${PROGRAM_DIR}/pendulum.wasm PENDULUM_WASM_BYTES)
file(SIZE ${SITE}/pendulum.wasm.gz PENDULUM_WASM_PACKED_BYTES)

# The version's name: a digest of what the page runs, the page's scripts as written included,
# so that any change is a new version to the worker.
set(page_sources ${SOURCE_DIR}/index.html.in ${SOURCE_DIR}/start.js.in ${SOURCE_DIR}/sw.js.in
    ${SOURCE_DIR}/manifest.webmanifest.in)
set(digests "")
foreach(file IN LISTS packed plain page_sources)
    if(IS_DIRECTORY ${file})
        file(GLOB_RECURSE inside ${file}/*)
        list(SORT inside)
    else()
        set(inside ${file})
    endif()
    foreach(one IN LISTS inside)
        file(SHA256 ${one} digest)
        string(APPEND digests ${digest})
    endforeach()
endforeach()
string(SHA256 PENDULUM_BUILD "${digests}")
string(SUBSTRING ${PENDULUM_BUILD} 0 12 PENDULUM_BUILD)
# Every version's cache starts with the same prefix, by which the worker finds the old ones.
set(PENDULUM_CACHE_PREFIX pendulum-)
set(PENDULUM_CACHE ${PENDULUM_CACHE_PREFIX}${PENDULUM_BUILD})

# The page's colour, behind its windows and round an installed app's. Qt's compositor fills the
# screen with it too, before the windows: tools/web/qt-patches/0003 writes it as
# QColor(0x33, 0x33, 0x33), as Qt is built before the program and knows nothing of this file;
# a new colour goes in both places (and Qt is built again).
set(PENDULUM_PAGE_COLOUR "#333333")
configure_file(${SOURCE_DIR}/index.html.in ${SITE}/index.html @ONLY)
configure_file(${SOURCE_DIR}/manifest.webmanifest.in ${SITE}/manifest.webmanifest @ONLY)
configure_file(${SOURCE_DIR}/start.js.in ${SITE}/start.js @ONLY)

# The files the worker keeps: everything the page needs to open and run. (It keeps the fallback
# fonts as well once a visit has fetched them.)
file(GLOB_RECURSE cached RELATIVE ${SITE} ${SITE}/*)
list(FILTER cached EXCLUDE REGEX "^(licenses/|fonts/README|LICENSE|SOURCE)")
list(TRANSFORM fallback_names APPEND .gz)
list(REMOVE_ITEM cached ${fallback_names})
list(SORT cached)
list(TRANSFORM cached REPLACE "(.+)" "'\\1'")
list(JOIN cached ", " PENDULUM_CACHED_FILES)
configure_file(${SOURCE_DIR}/sw.js.in ${SITE}/sw.js @ONLY)

# Ours, Qt's (the LGPL and the texts of the parts of Qt linked in), musl's (the sine, cosine
# and arctangent the program carries), Emscripten's (its C and C++ libraries and the page's
# run-time code), and the fonts', with how to put the original font in its place.
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${SITE}/LICENSE.txt COPYONLY)
file(COPY ${QT_PREFIX}/licenses/ DESTINATION ${SITE}/licenses/Qt)
configure_file(${PROJECT_SOURCE_DIR}/common/musl/COPYRIGHT ${SITE}/licenses/musl/COPYRIGHT.txt
               COPYONLY)
configure_file(${EMSCRIPTEN_COPYRIGHT} ${SITE}/licenses/Emscripten/copyright.txt COPYONLY)
configure_file(${JA_FONT_COPYRIGHT} ${SITE}/licenses/fonts/IPA-Font-License.txt COPYONLY)
configure_file(${FALLBACK_FONTS_COPYRIGHT} ${SITE}/licenses/fonts/Unifont-copyright.txt COPYONLY)
configure_file(/usr/share/common-licenses/GPL-2 ${SITE}/licenses/fonts/GPL-2.txt COPYONLY)
configure_file(${SOURCE_DIR}/font-README.txt ${SITE}/fonts/README.txt COPYONLY)
# Where the complete source is, with the changes made to Qt.
configure_file(${SOURCE_DIR}/SOURCE.txt ${SITE}/SOURCE.txt COPYONLY)
file(COPY ${PROJECT_SOURCE_DIR}/tools/web/qt-patches/ DESTINATION ${SITE}/licenses/Qt/patches)
