# Runs blackjack-sim as a user would: a bad command line exits with status 2 and says why on
# standard error (which command lines are bad is the options tests' business); a seeded run prints
# the same report twice, the rounds-per-second line aside; --decide and --next-round print their
# values; --check-history confirms a kept file and finds a value nudged in it, and --career adds
# it up.
# Usage: cmake -DSIM=<path to blackjack-sim> -DDATA=<tests/sim/data> -DSCRATCH=<a folder to write>
#        -P check_cli.cmake

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
expect_usage_error(--csv)
expect_usage_error(--career ${DATA}/history.jsonl --decide 10,6 --up 6)
# A file that is not there is a command that cannot be carried out.
expect_usage_error(--check-history ${SCRATCH}/no-such-history.jsonl)

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

# A kept file (tests/sim/data/history.jsonl: a round of two decisions, a split round of three, one
# costly, and a drill), its values as the solver gives them.
execute_process(COMMAND ${SIM} --check-history ${DATA}/history.jsonl RESULT_VARIABLE status
                OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "6 of 6 decisions agree\n")
    message(FATAL_ERROR "--check-history on a true file exited ${status}:\n${out}")
endif()
# A millionth off one value, and the line torn in two: the first is found, the second only said.
file(READ ${DATA}/history.jsonl kept)
string(REPLACE "-0.16037864175353111" "-0.16037764175353111" nudged "${kept}")
string(SUBSTRING "${kept}" 0 40 torn)
file(WRITE ${SCRATCH}/nudged.jsonl "${nudged}${torn}")
execute_process(COMMAND ${SIM} --check-history ${SCRATCH}/nudged.jsonl RESULT_VARIABLE status
                OUTPUT_VARIABLE out)
if(NOT status EQUAL 1 OR NOT out MATCHES "^line 1, decision 1 \\(10,2 against 6, hit\\): stand "
   OR NOT out MATCHES "line 4, the last, is torn" OR NOT out MATCHES "\n5 of 6 decisions agree\n$")
    message(FATAL_ERROR "--check-history on a nudged value exited ${status}:\n${out}")
endif()

execute_process(COMMAND ${SIM} --career ${DATA}/history.jsonl RESULT_VARIABLE status
                OUTPUT_VARIABLE out)
if(NOT status EQUAL 0
   OR NOT out MATCHES "^the whole file, 2 sessions\n  rounds 2: won 0, lost 1, pushed 1; blackjacks 0\n"
   OR NOT out MATCHES "  net -10.00 = table's edge -0.16 \\+ decisions -25.62 \\+ luck 15.78\n"
   OR NOT out MATCHES "session 2\n[^\n]*\n  net 0.00 = table's edge -0.13 \\+ decisions -25.62 \\+ luck 25.75\n"
   OR NOT out MATCHES "   1. 8,3 against 6: stand, best hit, cost 25.62 \\(session 2"
   OR NOT out MATCHES "  pairs             1, cost 0.00\n"
   OR NOT out MATCHES "drills: 1 answered, 3.99 given up\n$")
    message(FATAL_ERROR "unexpected --career output:\n${out}")
endif()
execute_process(COMMAND ${SIM} --career ${DATA}/history.jsonl --csv RESULT_VARIABLE status
                OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL
   "session,time,bet,net,edge,decisions,luck,wallet,dealer,hands\n1,2026-12-09T01:40:00Z,10,-10,-0.03,0.00,-9.97,990,10 9,10 2 5\n2,2026-12-10T09:00:00Z,50,0,-0.13,-25.62,25.75,990,A 6 Q,8 3 | 8 10\n")
    message(FATAL_ERROR "unexpected --career --csv output:\n${out}")
endif()
