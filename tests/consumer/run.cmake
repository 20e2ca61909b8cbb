# The installed package as applications use it, both ways: the programs of tests/consumer (main.cpp
# and every C++ example of the README, taken from README.md as written) built through
# find_package against the static library of this build, and through pkg-config (without
# --static) against a shared build of the same sources; each program runs. Only public headers
# may be installed.
#
# -D BUILD_DIR, SOURCE_DIR (tests/consumer), ROOT_DIR (the checkout), WORK_DIR, LAUNCHER
# (compiler launcher or empty).
cmake_minimum_required(VERSION 3.25)

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(rc)
    message(FATAL_ERROR "${what} failed:\n${out}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/readme ${WORK_DIR}/run-static ${WORK_DIR}/run-shared)

# The README's examples, one program per ```cpp block.
file(READ ${ROOT_DIR}/README.md readme)
set(count 0)
while(TRUE)
  string(FIND "${readme}" "```cpp\n" start)
  if(start EQUAL -1)
    break()
  endif()
  math(EXPR start "${start} + 7")
  string(SUBSTRING "${readme}" ${start} -1 readme)
  string(FIND "${readme}" "\n```" end)
  string(SUBSTRING "${readme}" 0 ${end} code)
  file(WRITE ${WORK_DIR}/readme/readme_example_${count}.cpp "${code}\n")
  math(EXPR count "${count} + 1")
  string(SUBSTRING "${readme}" ${end} -1 readme)
endwhile()
if(count LESS 4)
  message(FATAL_ERROR "README.md holds ${count} C++ examples; expected at least 4")
endif()
file(GLOB examples RELATIVE ${WORK_DIR}/readme ${WORK_DIR}/readme/*.cpp)

# find_package, static library of this build.
run("installing" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix)
foreach(header kivchart.h rchart/rchart.h scale/scale.h platform/datetime.h)
  if(NOT EXISTS ${WORK_DIR}/prefix/include/kivchart/${header})
    message(FATAL_ERROR "public header ${header} is not installed")
  endif()
endforeach()
foreach(header rchart/item_renderer.h rchart/column_run.h platform/font_freetype.h
               platform/deflate_rows.h platform/png_deflate.h platform/raster/raster.h)
  if(EXISTS ${WORK_DIR}/prefix/include/kivchart/${header})
    message(FATAL_ERROR "internal header ${header} is installed")
  endif()
endforeach()
set(launcher)
if(LAUNCHER)
  set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
run("configuring the consumer" ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G Ninja
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix
    -DEXAMPLES_DIR=${WORK_DIR}/readme ${launcher})
run("building the consumer" ${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run("the consumer" ${WORK_DIR}/build/consumer ${WORK_DIR}/run-static/out.png)
foreach(example ${examples})
  get_filename_component(name ${example} NAME_WE)
  execute_process(COMMAND ${WORK_DIR}/build/${name} WORKING_DIRECTORY ${WORK_DIR}/run-static
                  RESULT_VARIABLE rc)
  if(rc)
    message(FATAL_ERROR "${name} (find_package, static) failed")
  endif()
endforeach()

# pkg-config, shared library. Its build directory stays between runs, so that only what changed
# is compiled again.
set(shared_build ${BUILD_DIR}/consumer-shared-build)
run("configuring the shared library" ${CMAKE_COMMAND} -S ${ROOT_DIR} -B ${shared_build} -G Ninja
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DKIV_BUILD_TESTS=OFF
    -DKIV_BUILD_EXAMPLES=OFF -DKIV_BUILD_BENCH=OFF ${launcher})
run("building the shared library" ${CMAKE_COMMAND} --build ${shared_build} --target kivchart)
run("installing the shared library" ${CMAKE_COMMAND} --install ${shared_build} --prefix
    ${WORK_DIR}/shared-prefix)
file(GLOB_RECURSE pc_files ${WORK_DIR}/shared-prefix/*/kivchart.pc)
list(GET pc_files 0 pc_file)
get_filename_component(pc_dir ${pc_file} DIRECTORY)
get_filename_component(lib_dir ${pc_dir} DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pc_dir})
execute_process(COMMAND pkg-config --cflags --libs kivchart OUTPUT_VARIABLE flags
                RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE)
if(rc)
  message(FATAL_ERROR "pkg-config does not know kivchart")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
set(ENV{LD_LIBRARY_PATH} ${lib_dir})
foreach(src ${SOURCE_DIR}/main.cpp ${examples})
  if(NOT IS_ABSOLUTE ${src})
    set(src ${WORK_DIR}/readme/${src})
  endif()
  get_filename_component(name ${src} NAME_WE)
  run("building ${name} with pkg-config flags" ${LAUNCHER} c++ ${src} -o ${WORK_DIR}/${name}-pc
      ${flags})
  execute_process(COMMAND ${WORK_DIR}/${name}-pc WORKING_DIRECTORY ${WORK_DIR}/run-shared
                  RESULT_VARIABLE rc)
  if(rc)
    message(FATAL_ERROR "${name} (pkg-config, shared) failed")
  endif()
endforeach()
