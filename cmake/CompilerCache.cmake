# ccache, when installed, keeps what each file compiled to: a build folder made afresh, or
# the same files in another worktree, compile only what changed. It is told that the
# precompiled headers' definitions and times may be ignored: the build makes them just
# before the files that use them. A launcher given on the command line is kept as it is.
find_program(FICHE_CCACHE ccache)
if(FICHE_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env
      CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
      ${FICHE_CCACHE})
endif()
