# Installs the built library into a scratch prefix, then builds and runs a consumer program
# against it twice: through find_package and through pkg-config.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(rc)
  message(FATAL_ERROR "install failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G Ninja
                        -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(rc)
  message(FATAL_ERROR "configuring the consumer failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "building the consumer failed")
endif()
execute_process(COMMAND ${WORK_DIR}/build/consumer ${WORK_DIR}/out.png RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "the consumer failed")
endif()
# pkg-config: compile the same program by hand.
set(ENV{PKG_CONFIG_PATH} ${WORK_DIR}/prefix/lib/pkgconfig)
foreach(libdir lib lib64 lib/x86_64-linux-gnu)
  if(EXISTS ${WORK_DIR}/prefix/${libdir}/pkgconfig/kivchart.pc)
    set(ENV{PKG_CONFIG_PATH} ${WORK_DIR}/prefix/${libdir}/pkgconfig)
  endif()
endforeach()
execute_process(COMMAND pkg-config --static --cflags --libs kivchart
                OUTPUT_VARIABLE flags RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE)
if(rc)
  message(FATAL_ERROR "pkg-config does not know kivchart")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
execute_process(COMMAND c++ ${SOURCE_DIR}/main.cpp -o ${WORK_DIR}/consumer-pc ${flags}
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "building with pkg-config flags failed")
endif()
execute_process(COMMAND ${WORK_DIR}/consumer-pc RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "the pkg-config consumer failed")
endif()
