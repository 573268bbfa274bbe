# Installs the library component of a build tree into a scratch prefix, then
# configures, builds and runs the consumer project against it.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DSOURCE_DIR=... -DCXX=... [-DLAUNCHER=...] -P run.cmake
foreach(var BUILD_DIR WORK_DIR SOURCE_DIR CXX)
  if(NOT ${var})
    message(FATAL_ERROR "run.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
set(build ${WORK_DIR}/build)

function(step)
  execute_process(COMMAND ${ARGN} TIMEOUT 240 RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "consumer: '${ARGN}' failed: ${rc}")
  endif()
endfunction()

step(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component library)
set(launcher)
if(LAUNCHER)
  set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
step(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${build} -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX} ${launcher})
step(${CMAKE_COMMAND} --build ${build})
step(${build}/consumer)
