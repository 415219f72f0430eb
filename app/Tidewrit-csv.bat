@echo off
rem 航海士の一覧を CSV ファイルにして、あなたのユーザーフォルダに保存します。
rem Tidewrit.exe といっしょにゲームのフォルダへコピーして、ダブルクリックしてください。
rem すでにあるファイルには上書きせず、navigators-1.csv、navigators-2.csv と番号を増やします。
rem 保存できたときは終了コード 0、保存できなかったときは 1 で終わります。
setlocal
pushd "%~dp0"
set status=1
if not exist "Tidewrit.exe" goto noprogram
set n=1
:next
if exist "%USERPROFILE%\navigators-%n%.csv" (
  set /a n+=1
  goto next
)
set "csv=%USERPROFILE%\navigators-%n%.csv"
rem 先に空のファイルを作って、保存先に書けるかを確かめます。
type nul > "%csv%" 2>nul
if not exist "%csv%" goto cannotwrite
Tidewrit.exe /c > "%csv%"
if errorlevel 1 goto failed
rem 書き出しが始まらなかったときは、ファイルが空のままです。
for %%f in ("%csv%") do if %%~zf==0 goto failed
echo.
echo 航海士の一覧を CSV ファイルに保存しました。
echo "%csv%"
echo このファイルをダブルクリックすると、Excel などで開けます。
rem ユーザーフォルダはエクスプローラーの左の一覧にないので、保存したファイルを選んだウィンドウを開きます。
start "" explorer /select,"%csv%"
set status=0
goto done
:noprogram
echo.
echo このバッチファイルと同じフォルダに Tidewrit.exe がないので、何も保存しませんでした。
echo Tidewrit.exe とこのバッチファイルを SAVEDATA.CDS のあるゲームのフォルダにいっしょに置いて、
echo そこでダブルクリックしてください。
goto done
:cannotwrite
echo.
echo ユーザーフォルダにファイルを作れないので、何も保存しませんでした。
echo "%USERPROFILE%"
goto done
:failed
del "%csv%" 2>nul
echo.
echo CSV ファイルは保存しませんでした。上のメッセージを見てください。
:done
popd
echo.
pause
exit /b %status%
