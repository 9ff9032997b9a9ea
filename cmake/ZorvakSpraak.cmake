# zorvak_spraak(target): gives the target the engine behind the caller's voice (core/game/stem.h).
#   Qt's speech module when it was found: ZORVAK_SPRAAK_QT;
#   on Windows without it, the Windows speech API (SAPI, ISpVoice): ZORVAK_SPRAAK_SAPI;
#   otherwise none: the program is silent and says so in its Extra dialog.
function(zorvak_spraak target)
  if(TARGET Qt6::TextToSpeech)
    target_link_libraries(${target} PUBLIC Qt6::TextToSpeech)
    target_compile_definitions(${target} PRIVATE ZORVAK_SPRAAK_QT)
  elseif(WIN32)
    target_link_libraries(${target} PUBLIC sapi ole32)
    target_compile_definitions(${target} PRIVATE ZORVAK_SPRAAK_SAPI)
  endif()
endfunction()
