# Runs blackjack-sim as a user would: a bad command line exits with status 2 and says why on
# standard error (which command lines are bad is the options tests' business); a seeded run prints
# the same report twice, the rounds-per-second line aside; --decide and --next-round print their
# values.
# Usage: cmake -DSIM=<path to blackjack-sim> -P check_cli.cmake

function(expect_usage_error)
    execute_process(COMMAND ${SIM} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    if(NOT status EQUAL 2)
        message(FATAL_ERROR "'${ARGN}' exited with ${status}, expected 2")
    endif()
    if(NOT err MATCHES "blackjack-sim: ")
        message(FATAL_ERROR "'${ARGN}' printed no error: '${err}'")
    endif()
    if(NOT out STREQUAL "")
        message(FATAL_ERROR "'${ARGN}' printed a report: '${out}'")
    endif()
endfunction()

expect_usage_error(--rounds 0)
# Bad cards: an unknown rank, a fifth ace, a hand of three cards.
expect_usage_error(--decide 10,X --up 6)
expect_usage_error(--decide A,A --up A --seen A,A)
expect_usage_error(--decide 10,6,2 --up 6)

function(seeded_report result)
    execute_process(COMMAND ${SIM} --rounds 30000 --seed 99 --threads 2 RESULT_VARIABLE status
                    OUTPUT_VARIABLE out)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "a seeded run exited with ${status}")
    endif()
    string(REGEX REPLACE "rounds per second[^\n]*\n" "" out "${out}")
    set(${result} "${out}" PARENT_SCOPE)
endfunction()

seeded_report(first)
seeded_report(second)
if(NOT first STREQUAL second)
    message(FATAL_ERROR "two runs with one seed differ:\n${first}\n---\n${second}")
endif()
if(NOT first MATCHES "rounds played +30,000\n" OR NOT first MATCHES "house edge")
    message(FATAL_ERROR "unexpected report:\n${first}")
endif()

# The best play's chart lists the two-card hands that play otherwise, and its computed line says
# what it is.
execute_process(COMMAND ${SIM} --print-strategy RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out MATCHES "\n10,2 +4 +hit "
   OR NOT out MATCHES "computed, best play off a full deck +-0.259%\n")
    message(FATAL_ERROR "unexpected --print-strategy output:\n${out}")
endif()
execute_process(COMMAND ${SIM} --print-strategy --strategy basic OUTPUT_VARIABLE out)
if(NOT out MATCHES "computed, this chart off a full deck +-0.301%\n"
   OR NOT out MATCHES "computed, infinite deck +-0.837%\n" OR out MATCHES "10,2 +4")
    message(FATAL_ERROR "unexpected --print-strategy --strategy basic output:\n${out}")
endif()

# The exact values of one hand's plays, and of the next round off a full deck.
execute_process(COMMAND ${SIM} --decide 10,2 --up 6 RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "stand -16.038%\nhit -15.944%\nbest hit\n")
    message(FATAL_ERROR "unexpected --decide output:\n${out}")
endif()
execute_process(COMMAND ${SIM} --next-round RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "next round -0.259%\n")
    message(FATAL_ERROR "unexpected --next-round output:\n${out}")
endif()
