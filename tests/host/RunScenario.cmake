# Plays one scenario script through the host, headless, in a fresh folder of its own:
#   cmake -DHOST=... -DMVDB=... -DSCRIPT=... -DFOLDER=... [-DDATABASE=sample|bare]
#         [-DHOST_ARGS=a;b] [-DSTATUS=n] [-DOUTPUT_CHECKED=ON]
#         [-DSERVER=folder -DSERVER_DATABASE=name -DPASSWORD=p -DPOSTGRES_BINDIR=dir]
#         -P RunScenario.cmake
# The folder holds the run's registry file and configuration folder, so that the user's are never
# read, and its database DATABASE.mvdb: the sample data (sample, the default) or no file at all
# (bare). With SERVER, the database is SERVER_DATABASE on the PostgreSQL server whose socket is in
# that folder, named with PASSWORD (which the server, trusting its socket, does not ask), made anew
# and filled the same way. The host gets that database and the level that may change the
# parameters, unless HOST_ARGS gives its own. The run fails unless the host ends with the expected status (0 unless
# told). When the output is checked by a PASS_REGULAR_EXPRESSION, it is echoed only after the
# right status, so that the expression checks the status too.
cmake_policy(SET CMP0057 NEW)  # if(... IN_LIST ...)
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
set(ENV{OSTREVAN_REGISTRY} "${FOLDER}/registry.json")
set(ENV{XDG_CONFIG_HOME} "${FOLDER}")
if(NOT DEFINED STATUS)
    set(STATUS 0)
endif()
if(NOT DEFINED DATABASE)
    set(DATABASE sample)
endif()

# Runs the database tool on the scenario's database; any failure stops the run.
function(run_mvdb)
    execute_process(COMMAND "${MVDB}" "${database}" ${ARGN} WORKING_DIRECTORY "${FOLDER}"
                    INPUT_FILE /dev/null RESULT_VARIABLE done ERROR_VARIABLE errors)
    if(NOT done EQUAL 0)
        message(FATAL_ERROR "mvdb ${database} ${ARGN} failed in ${FOLDER}\n${errors}")
    endif()
endfunction()

set(database "${DATABASE}.mvdb")
if(DEFINED SERVER)
    execute_process(COMMAND "${POSTGRES_BINDIR}/dropdb" --if-exists -h "${SERVER}" -U postgres
                            "${SERVER_DATABASE}" COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND "${POSTGRES_BINDIR}/createdb" -h "${SERVER}" -U postgres
                            "${SERVER_DATABASE}" COMMAND_ERROR_IS_FATAL ANY)
    set(database "postgresql://postgres:${PASSWORD}@/${SERVER_DATABASE}?host=${SERVER}")
endif()
if(DATABASE STREQUAL "bare")
    run_mvdb(restore)  # an empty dump: a database without any file
else()
    run_mvdb(sample)
endif()
if(NOT "--db" IN_LIST HOST_ARGS)
    list(PREPEND HOST_ARGS --db "${database}")
endif()
if(NOT "--access-level" IN_LIST HOST_ARGS)
    list(PREPEND HOST_ARGS --access-level 2)
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
