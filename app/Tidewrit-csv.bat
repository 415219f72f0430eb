@echo off
rem 航海士の一覧を CSV ファイルにして、あなたのユーザーフォルダに保存します。
rem Tidewrit.exe といっしょにゲームのフォルダへコピーして、ダブルクリックしてください。
rem すでにあるファイルには上書きせず、navigators-1.csv、navigators-2.csv と番号を増やします。
setlocal
pushd "%~dp0"
set n=1
:next
if exist "%USERPROFILE%\navigators-%n%.csv" (
  set /a n+=1
  goto next
)
set "csv=%USERPROFILE%\navigators-%n%.csv"
Tidewrit.exe /c > "%csv%"
if errorlevel 1 goto failed
echo.
echo 航海士の一覧を CSV ファイルに保存しました。
echo "%csv%"
echo このファイルをダブルクリックすると、Excel などで開けます。
goto done
:failed
del "%csv%" 2>nul
echo.
echo CSV ファイルを保存できませんでした。上のメッセージを見てください。
:done
popd
echo.
pause
