# The browser build (emcmake, included by the top-level CMakeLists.txt): the
# rules, drawing and sound logic compiled to wasm over the web back ends, and
# the game's data packed for the page. The data comes from a desktop build's
# generators, which run natively (scripts/web.sh makes them first).
set(BM_NATIVE_GAME_DIR ${CMAKE_SOURCE_DIR}/build/game CACHE PATH
    "The program folder of a desktop build, whose generated data the page ships")
if(NOT EXISTS ${BM_NATIVE_GAME_DIR}/Sounds.ini)
  message(FATAL_ERROR "No generated game data in ${BM_NATIVE_GAME_DIR}: build the desktop generators first "
                      "(scripts/web.sh does), or point BM_NATIVE_GAME_DIR at a program folder")
endif()

# Everything the page needs, for any static file server.
set(BM_PAGE_DIR ${CMAKE_BINARY_DIR}/page)
file(MAKE_DIRECTORY ${BM_PAGE_DIR})

# stb (Debian's libstb-dev) compiled in; its folder is seen alone, since all of
# /usr/include would hide emscripten's own C library.
if(NOT EXISTS /usr/include/stb/stb_image.h)
  message(FATAL_ERROR "stb's headers are missing: apt-get install libstb-dev")
endif()
set(BM_STB_INCLUDE ${CMAKE_BINARY_DIR}/stb-include)
file(MAKE_DIRECTORY ${BM_STB_INCLUDE})
file(CREATE_LINK /usr/include/stb ${BM_STB_INCLUDE}/stb SYMBOLIC)

# Drawing helpers, screens' pictures and sound logic: the same code as the desktop's.
file(GLOB BM_VIEW_SOURCES CONFIGURE_DEPENDS render/*.cpp audio/*.cpp)
add_library(bm_view STATIC ${BM_VIEW_SOURCES})
target_link_libraries(bm_view PUBLIC bm_rules)
target_compile_options(bm_view PRIVATE ${BM_WARNINGS})

# The only place the browser appears: the web back ends (and the silent twins for "no sound").
file(GLOB BM_PLATFORM_SOURCES CONFIGURE_DEPENDS platform/*.cpp platform/headless/*.cpp platform/web/*.cpp)
list(FILTER BM_PLATFORM_SOURCES EXCLUDE REGEX ".*/platform/Host\\.cpp$")
list(FILTER BM_PLATFORM_SOURCES EXCLUDE REGEX ".*_main\\.cpp$")
add_library(bm_platform STATIC ${BM_PLATFORM_SOURCES})
target_link_libraries(bm_platform PUBLIC bm_io)
target_include_directories(bm_platform SYSTEM PRIVATE ${BM_STB_INCLUDE})
target_compile_options(bm_platform PRIVATE ${BM_WARNINGS})

# A program that runs in the page: linked to .js (the HTML step of this
# emscripten fails), with the page's library, the saves folder on IndexedDB
# and its output in the page folder.
function(bm_web_program target)
  set(js ${CMAKE_SOURCE_DIR}/platform/web/page_library.js)
  set(pre ${CMAKE_SOURCE_DIR}/platform/web/page_pre.js)
  target_link_libraries(${target} PRIVATE bm_platform bm_view)
  target_compile_options(${target} PRIVATE ${BM_WARNINGS})
  target_link_options(${target} PRIVATE
    -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB -sFORCE_FILESYSTEM=1 -lidbfs.js
    "SHELL:--js-library ${js}" "SHELL:--pre-js ${pre}")
  set_target_properties(${target} PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${BM_PAGE_DIR}
                        LINK_DEPENDS "${js};${pre}")
endfunction()

# The screens and the run: the same code as the desktop's.
file(GLOB BM_SHELL_SOURCES CONFIGURE_DEPENDS shell/*.cpp)
list(FILTER BM_SHELL_SOURCES EXCLUDE REGEX ".*main\\.cpp$")
add_library(bm_shell STATIC ${BM_SHELL_SOURCES})
target_link_libraries(bm_shell PUBLIC bm_view bm_platform)
# A screen takes every key's edge on purpose ("enter_.Take(in) | space_.Take(in)"), which clang warns of.
target_compile_options(bm_shell PRIVATE ${BM_WARNINGS} -Wno-bitwise-instead-of-logical)

add_executable(brinemoor shell/web_main.cpp)
target_link_libraries(brinemoor PRIVATE bm_shell)
bm_web_program(brinemoor)

# The back ends' own checks, with the game's drawing helpers over them (tools/webdemo/).
add_executable(webdemo tools/webdemo/main.cpp)
bm_web_program(webdemo)

# The pages: index.html starts the game, demo.html the back ends' demo (scripts/webpage.py demo-check);
# page.js is the page's own script (platform/web/page.js); the loading picture with its trough empty and
# filled shows while the rest loads; the game's icon is the page's.
set(BM_WEB_ENTRY brinemoor)
configure_file(${CMAKE_SOURCE_DIR}/platform/web/index.html ${BM_PAGE_DIR}/index.html @ONLY)
set(BM_WEB_ENTRY webdemo)
configure_file(${CMAKE_SOURCE_DIR}/platform/web/index.html ${BM_PAGE_DIR}/demo.html @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/platform/web/page.js ${BM_PAGE_DIR}/page.js COPYONLY)
# The page's own texts in every language, from the translations (scripts/page-texts.py).
file(GLOB BM_PO_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/po/*.po ${CMAKE_SOURCE_DIR}/po/LINGUAS)
add_custom_command(
  OUTPUT ${BM_PAGE_DIR}/page-texts.js
  COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/page-texts.py ${CMAKE_SOURCE_DIR}/po ${BM_PAGE_DIR}/page-texts.js
  DEPENDS ${BM_PO_FILES} ${CMAKE_SOURCE_DIR}/scripts/page-texts.py
  COMMENT "The page's texts in every language")
add_custom_target(page_texts ALL DEPENDS ${BM_PAGE_DIR}/page-texts.js)
configure_file(${BM_NATIVE_GAME_DIR}/red/logo/gamelogo0.jpg ${BM_PAGE_DIR}/logo.jpg COPYONLY)
configure_file(${BM_NATIVE_GAME_DIR}/red/logo/gamelogo1.jpg ${BM_PAGE_DIR}/logo-filled.jpg COPYONLY)
set(BM_NATIVE_ICONS ${BM_NATIVE_GAME_DIR}/../icons)
if(NOT EXISTS ${BM_NATIVE_ICONS}/512x512/apps/brinemoor.png)
  message(FATAL_ERROR "No icons in ${BM_NATIVE_ICONS}: build the desktop's game_icon first (scripts/web.sh does)")
endif()
configure_file(${BM_NATIVE_ICONS}/48x48/apps/brinemoor.png ${BM_PAGE_DIR}/favicon.png COPYONLY)
# Installing the page: its manifest and the icons it names.
configure_file(${BM_NATIVE_ICONS}/192x192/apps/brinemoor.png ${BM_PAGE_DIR}/icon-192.png COPYONLY)
configure_file(${BM_NATIVE_ICONS}/512x512/apps/brinemoor.png ${BM_PAGE_DIR}/icon-512.png COPYONLY)
configure_file(${CMAKE_SOURCE_DIR}/platform/web/manifest.webmanifest ${BM_PAGE_DIR}/manifest.webmanifest COPYONLY)

# The game's data in packs the page fetches by need (scripts/webpacks.py: the start pack before the program,
# the rest in the background), their list, and the service worker that keeps the page and its packs
# offline, its cache named by the page's version (the program, the page's files and the packs).
file(GLOB_RECURSE BM_WEB_DATA CONFIGURE_DEPENDS ${BM_NATIVE_GAME_DIR}/*)
# The music made again smaller for the download (the native build's page_music), laid over the game's.
set(BM_NATIVE_PAGE_MUSIC_DIR "" CACHE PATH "The page's smaller music (scripts/web.sh sets it)")
set(BM_PAGE_MUSIC "")
if(BM_NATIVE_PAGE_MUSIC_DIR)
  file(GLOB_RECURSE BM_PAGE_MUSIC CONFIGURE_DEPENDS ${BM_NATIVE_PAGE_MUSIC_DIR}/*)
endif()
list(FILTER BM_WEB_DATA EXCLUDE REGEX "(\\.log|/brinemoor|\\.lock)$")
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(
  OUTPUT ${BM_PAGE_DIR}/packs.json ${BM_PAGE_DIR}/sw.js
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/webpacks.py ${BM_NATIVE_GAME_DIR} ${BM_PAGE_DIR}
          ${CMAKE_SOURCE_DIR}/platform/web/sw.js ${BM_NATIVE_PAGE_MUSIC_DIR}
  DEPENDS ${BM_WEB_DATA} ${BM_PAGE_MUSIC} ${CMAKE_SOURCE_DIR}/scripts/webpacks.py ${CMAKE_SOURCE_DIR}/platform/web/packs.txt
          ${CMAKE_SOURCE_DIR}/platform/web/sw.js
          ${CMAKE_SOURCE_DIR}/platform/web/page.js ${CMAKE_SOURCE_DIR}/platform/web/index.html
          ${CMAKE_SOURCE_DIR}/platform/web/manifest.webmanifest brinemoor
  COMMENT "Packing the game's data for the page"
  VERBATIM)
add_custom_target(web_data ALL DEPENDS ${BM_PAGE_DIR}/packs.json)
