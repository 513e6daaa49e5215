# Plays one scenario script through the host, headless, in a fresh folder of its own:
#   cmake -DHOST=... -DMVDB=... -DSCRIPT=... -DFOLDER=... [-DDATABASE=sample|empty]
#         [-DHOST_ARGS=a;b] [-DSTATUS=n] [-DOUTPUT_CHECKED=ON] -P RunScenario.cmake
# The folder holds the run's registry file, so that the user's registry is never touched, and its
# database: sample.mvdb, which the host makes with the sample data, or an empty database. The run
# fails unless the host ends with the expected status (0 unless told). When the output is
# checked by a PASS_REGULAR_EXPRESSION, it is echoed only after the right status, so that the
# expression checks the status too.
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
set(ENV{OSTREVAN_REGISTRY} "${FOLDER}/registry.json")
if(NOT DEFINED STATUS)
    set(STATUS 0)
endif()
if(DATABASE STREQUAL "empty")
    execute_process(COMMAND "${MVDB}" empty.mvdb create WORKING_DIRECTORY "${FOLDER}"
                    RESULT_VARIABLE made)
    if(NOT made EQUAL 0)
        message(FATAL_ERROR "could not make an empty database in ${FOLDER}")
    endif()
    list(PREPEND HOST_ARGS --db empty.mvdb)
endif()
execute_process(
    COMMAND "${HOST}" ${HOST_ARGS} --headless --script "${SCRIPT}"
    WORKING_DIRECTORY "${FOLDER}"
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors)
if(NOT status EQUAL STATUS)
    if(OUTPUT_CHECKED)
        set(errors "")
    endif()
    message(FATAL_ERROR "ostrevan-host ended with ${status}, not ${STATUS}\n${errors}")
endif()
message("${output}${errors}")
