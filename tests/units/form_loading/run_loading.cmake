# The forms load: generates projects over a few option sets and, for every
# binary form file a run writes, loads it with Free Pascal's TReader into the
# streaming stand-ins (vclstream.pas) and into a form class built here from
# the class declaration of the unit beside it (checked by formcheck.pas).
# Run with cmake -P:
#   -DORVALEN_GEN=<orvalen-gen>  -DFPC=<fpc>  -DSOURCE=<this directory>  -DWORK=<scratch>
# or, to check forms already on disk, -DPROJECT=<directory> instead of
# ORVALEN_GEN (the directory's units and binary forms are checked as they are).
cmake_minimum_required(VERSION 3.20)
foreach(var FPC SOURCE WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_loading: ${var} is not set")
  endif()
endforeach()
if(NOT DEFINED PROJECT AND NOT DEFINED ORVALEN_GEN)
  message(FATAL_ERROR "run_loading: set ORVALEN_GEN or PROJECT")
endif()

# Turns the published part of the form class in UNIT_FILE (the members
# before the first private/protected/public) into a Pascal unit UNIT_NAME in
# OUT_DIR: the same class over the stand-ins, with empty method bodies, and a
# function Declaration describing it for formcheck.
function(form_class_unit unit_file unit_name out_dir)
  get_filename_component(unit_base "${unit_file}" NAME)
  file(READ "${unit_file}" text)
  string(REPLACE ";" "<SEMI>" text "${text}")
  if(NOT text MATCHES "\n[ \t]*(T[A-Za-z0-9_]*)[ \t]*=[ \t]*class[ \t]*\\([ \t]*TForm[ \t]*\\)([^\n]*)\n")
    message(FATAL_ERROR "${unit_base}: no class(TForm) declaration")
  endif()
  set(cls "${CMAKE_MATCH_1}")
  string(FIND "${text}" "${CMAKE_MATCH_0}" at)
  string(LENGTH "${CMAKE_MATCH_0}" len)
  math(EXPR at "${at} + ${len}")
  string(SUBSTRING "${text}" ${at} -1 body)
  if(NOT text MATCHES "\n[ \t]*([A-Za-z_][A-Za-z0-9_]*)[ \t]*:[ \t]*${cls}[ \t]*<SEMI>")
    message(FATAL_ERROR "${unit_base}: no variable of type ${cls}")
  endif()
  set(var_name "${CMAKE_MATCH_1}")

  string(REGEX REPLACE "\\{[^}]*\\}" "" body "${body}")
  string(REGEX REPLACE "//[^\n]*" "" body "${body}")
  string(REPLACE "[" "<LB>" body "${body}")
  string(REPLACE "]" "<RB>" body "${body}")
  string(REPLACE "\n" ";" lines "${body}")

  set(decl "")
  set(impl "")
  set(describe "")
  set(ended FALSE)
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    string(TOLOWER "${line}" lower)
    if(line STREQUAL "" OR lower STREQUAL "published")
      continue()
    endif()
    if(lower MATCHES "^end[ \t]*<semi>" OR lower MATCHES "^(private|protected|public)([ \t]|$)")
      set(ended TRUE)
      break()
    endif()
    if(lower MATCHES "^(procedure|function)[ \t]")
      if(NOT line MATCHES "^([A-Za-z]+)[ \t]+([A-Za-z_][A-Za-z0-9_]*)[ \t]*(\\([^)]*\\))?[ \t]*(:[ \t]*([A-Za-z_][A-Za-z0-9_]*))?[ \t]*<SEMI>(.*)$")
        message(FATAL_ERROR "${unit_base}: cannot read the method declaration '${line}'")
      endif()
      set(kind "${CMAKE_MATCH_1}")
      set(name "${CMAKE_MATCH_2}")
      set(params "${CMAKE_MATCH_3}")
      set(result "${CMAKE_MATCH_5}")
      string(STRIP "${CMAKE_MATCH_6}" rest)
      string(TOLOWER "${rest}" rest_lower)
      # A message handler keeps its directive out of the stand-in: the
      # message numbers are no part of streaming.
      if(NOT rest STREQUAL "" AND NOT rest_lower MATCHES "^message[ \t]+[A-Za-z0-9_$]+[ \t]*<semi>$")
        message(FATAL_ERROR "${unit_base}: unexpected directive '${rest}' on ${name}")
      endif()
      if(result STREQUAL "")
        string(APPEND decl "    ${kind} ${name}${params}<SEMI>\n")
        string(APPEND impl "${kind} ${cls}.${name}${params}<SEMI>\nbegin\nend<SEMI>\n\n")
      else()
        string(APPEND decl "    ${kind} ${name}${params}: ${result}<SEMI>\n")
        string(APPEND impl "${kind} ${cls}.${name}${params}: ${result}<SEMI>\nbegin\n  Result := Default(${result})<SEMI>\nend<SEMI>\n\n")
      endif()
      string(APPEND describe "  Result.Method('${name}', '${params}', '${result}')<SEMI>\n")
    elseif(line MATCHES "^([A-Za-z_][A-Za-z0-9_, \t]*):[ \t]*([A-Za-z_][A-Za-z0-9_]*)[ \t]*<SEMI>$")
      set(type "${CMAKE_MATCH_2}")
      string(REPLACE "," ";" names "${CMAKE_MATCH_1}")
      string(APPEND decl "    ${line}\n")
      foreach(name IN LISTS names)
        string(STRIP "${name}" name)
        string(APPEND describe "  Result.Field('${name}', ${type})<SEMI>\n")
      endforeach()
    else()
      message(FATAL_ERROR "${unit_base}: cannot read the class member '${line}'")
    endif()
  endforeach()
  if(NOT ended)
    message(FATAL_ERROR "${unit_base}: the declaration of ${cls} does not end")
  endif()

  set(out "{ Written by run_loading.cmake from ${unit_base}: the published part of ${cls}. }
unit ${unit_name}<SEMI>

{\$mode delphi}{\$H+}

interface

uses Classes, SysUtils, vclstream, formcheck<SEMI>

type
  ${cls} = class(TForm)
${decl}  end<SEMI>

function Declaration: TFormDeclaration<SEMI>

implementation

${impl}function Declaration: TFormDeclaration<SEMI>
begin
  Result := TFormDeclaration.Create('${unit_base}', '${var_name}', ${cls})<SEMI>
${describe}end<SEMI>

initialization
  RegisterClass(${cls})<SEMI>
end.
")
  string(REPLACE "<SEMI>" ";" out "${out}")
  string(REPLACE "<LB>" "[" out "${out}")
  string(REPLACE "<RB>" "]" out "${out}")
  file(WRITE "${out_dir}/${unit_name}.pas" "${out}")
endfunction()

# Builds and runs the loader over every binary form file in PROJECT_DIR;
# EXPECT lists the forms that must be there. Sets RC_VAR and OUT_VAR to the
# loader's exit status and output.
function(load_forms set_name project_dir expect rc_var out_var)
  set(dir "${WORK}/${set_name}/build")
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}/units")
  file(GLOB forms RELATIVE "${project_dir}" "${project_dir}/*.DFM")
  list(SORT forms)
  foreach(form IN LISTS expect)
    if(NOT form IN_LIST forms)
      message(FATAL_ERROR "${set_name}: the run wrote no ${form} (it wrote: ${forms})")
    endif()
  endforeach()
  set(uses "")
  set(calls "")
  foreach(form IN LISTS forms)
    string(REGEX REPLACE "\\.DFM$" "" base "${form}")
    if(NOT EXISTS "${project_dir}/${base}.PAS")
      message(FATAL_ERROR "${set_name}: ${form} has no unit ${base}.PAS")
    endif()
    string(TOLOWER "fl_${base}" unit_name)
    form_class_unit("${project_dir}/${base}.PAS" ${unit_name} "${dir}")
    string(APPEND uses ", ${unit_name}")
    string(APPEND calls "  if not CheckForm('${project_dir}/${form}', ${unit_name}.Declaration) then\n    Failed := True<SEMI>\n")
  endforeach()
  set(program "{ Written by run_loading.cmake: loads the forms of ${set_name}. }
program load_forms<SEMI>

{\$mode delphi}{\$H+}

uses SysUtils, formcheck${uses}<SEMI>

var
  Failed: Boolean = False<SEMI>
begin
${calls}  if Failed then
    Halt(1)<SEMI>
end.
")
  string(REPLACE "<SEMI>" ";" program "${program}")
  file(WRITE "${dir}/load_forms.pas" "${program}")

  execute_process(
    COMMAND "${FPC}" -Mdelphi -vw -gl "-Fu${SOURCE}" "-Fu${dir}" "-FU${dir}/units"
            "-FE${dir}" "${dir}/load_forms.pas"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR out MATCHES "Error:")
    message(FATAL_ERROR "${set_name}: fpc failed (${rc}):\n${out}")
  endif()
  execute_process(COMMAND "${dir}/load_forms" RESULT_VARIABLE rc
                  OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(${rc_var} "${rc}" PARENT_SCOPE)
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

if(DEFINED PROJECT)
  load_forms(given "${PROJECT}" "" rc out)
  message("${out}")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the forms in ${PROJECT} do not load (${rc})")
  endif()
  return()
endif()

# name|forms that must be written|orvalen-gen's arguments, separated by '^'
set(sets
  "every_option|MAIN.DFM,MDICHILD.DFM,STDABOUT.DFM|-n^LoadAll^-m^file,edit,window,help^--recent-registry^-e^Text files (*.txt)|*.txt^-e^All files (*.*)|*.*^-s^FileNew,FileOpen,FileSave,-,EditCut,EditCopy,EditPaste,-,WindowTile,WindowCascade,HelpContents^--single-instance"
  "mdi_menus_no_speedbar|MAIN.DFM,MDICHILD.DFM,STDABOUT.DFM|-n^MdiMenus^-m^file,edit,window,help^--recent"
  "no_mdi|MAIN.DFM,MDICHILD.DFM,STDABOUT.DFM|-n^SingleDoc^--no-mdi^-m^file,edit,help^-s^FileNew,FileOpen,-,HelpContents^--no-hints"
  "no_menus|MAIN.DFM,MDICHILD.DFM,STDABOUT.DFM|-n^Bare^--no-status-line")
foreach(entry IN LISTS sets)
  # the patterns hold '|' too: split at the first two only
  string(FIND "${entry}" "|" bar)
  string(SUBSTRING "${entry}" 0 ${bar} set_name)
  math(EXPR bar "${bar} + 1")
  string(SUBSTRING "${entry}" ${bar} -1 entry)
  string(FIND "${entry}" "|" bar)
  string(SUBSTRING "${entry}" 0 ${bar} expect)
  math(EXPR bar "${bar} + 1")
  string(SUBSTRING "${entry}" ${bar} -1 args)
  string(REPLACE "," ";" expect "${expect}")
  string(REPLACE "^" ";" args "${args}")

  set(project_dir "${WORK}/${set_name}/project")
  file(REMOVE_RECURSE "${project_dir}")
  file(MAKE_DIRECTORY "${project_dir}")
  execute_process(COMMAND "${ORVALEN_GEN}" ${args} "${project_dir}"
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${set_name}: orvalen-gen failed (${rc}): ${err}")
  endif()
  load_forms(${set_name} "${project_dir}" "${expect}" rc out)
  message("${set_name}:\n${out}")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${set_name}: the forms do not load (${rc})")
  endif()
endforeach()

# The loader refuses broken forms: each case edits one form text of the
# first project, converts it with orvalen-gen --convert and must see the
# load fail with the message given.
# name|form|regex|replacement|message expected
set(refusals
  "misspelt_property|MAIN|\n  Caption = |\n  Captoin = |Unknown property: \"Captoin\""
  "misspelt_form_style|MDICHILD|fsMDIChild|fsMDIChlid|MDIChildForm.FormStyle: Invalid value for property"
  "undeclared_handler|MAIN|OnClick = FileExit|OnClick = FileQuit|declares no published method FileQuit"
  "wrong_handler_type|MAIN|OnCreate = FormCreate|OnCloseQuery = FormCreate|TCloseQueryEvent takes"
  "unknown_class|MAIN|SpeedBar: TPanel|SpeedBar: TToolBar|Class \"TToolBar\" not found"
  "dangling_reference|MAIN|Menu = MainMenu|Menu = MainMnu|refers to MainMnu"
  "wrong_graphic_class|STDABOUT|07544269746D6170|07544269746D6171|unknown graphic class"
  "glyph_size|MAIN|\n06020000\n|\n07020000\n|bytes announced"
  "cursor_as_colour|STDABOUT|Font.Color = clBlue|Font.Color = crHandPoint|is no colour")
list(GET sets 0 first)
string(REGEX MATCH "^[^|]*" first "${first}")
foreach(entry IN LISTS refusals)
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 name)
  list(GET fields 1 base)
  list(GET fields 2 pattern)
  list(GET fields 3 replacement)
  list(GET fields 4 expected)
  set(project_dir "${WORK}/refuse_${name}/project")
  file(REMOVE_RECURSE "${project_dir}")
  file(COPY "${WORK}/${first}/project/" DESTINATION "${project_dir}")
  file(READ "${project_dir}/${base}.TXT" form)
  string(REGEX REPLACE "${pattern}" "${replacement}" broken "${form}")
  if(broken STREQUAL form)
    message(FATAL_ERROR "refusal ${name}: '${pattern}' is not in ${base}.TXT")
  endif()
  file(WRITE "${project_dir}/${base}.TXT" "${broken}")
  execute_process(COMMAND "${ORVALEN_GEN}" --convert "${project_dir}/${base}.TXT"
                          "${project_dir}/${base}.DFM"
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "refusal ${name}: orvalen-gen --convert failed (${rc}): ${err}")
  endif()
  load_forms(refuse_${name} "${project_dir}" "" rc out)
  string(FIND "${out}" "${expected}" at)
  if(rc EQUAL 0 OR at EQUAL -1)
    message(FATAL_ERROR "refusal ${name}: the loader should refuse ${base}.DFM with "
                        "'${expected}' (${rc}):\n${out}")
  endif()
  string(REGEX MATCH "FAIL [^\n]*" line "${out}")
  message("refused ${name}: ${line}")
endforeach()
