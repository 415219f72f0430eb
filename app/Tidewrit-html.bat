@echo off
rem 航海士の一覧を HTML のページにして、あなたのユーザーフォルダに保存し、ブラウザで開きます。
rem Tidewrit.exe といっしょにゲームのフォルダへコピーして、ダブルクリックしてください。
rem すでにあるファイルには上書きせず、navigators-1.html、navigators-2.html と番号を増やします。
rem 保存できたときは終了コード 0、保存できなかったときは 1 で終わります。
setlocal
pushd "%~dp0"
set status=1
if not exist "Tidewrit.exe" goto noprogram
set n=1
:next
if exist "%USERPROFILE%\navigators-%n%.html" (
  set /a n+=1
  goto next
)
set "page=%USERPROFILE%\navigators-%n%.html"
rem 先に空のファイルを作って、保存先に書けるかを確かめます。
type nul > "%page%" 2>nul
if not exist "%page%" goto cannotwrite
Tidewrit.exe /h > "%page%"
if errorlevel 1 goto failed
rem 書き出しが始まらなかったときは、ファイルが空のままです。
for %%f in ("%page%") do if %%~zf==0 goto failed
echo.
echo 航海士の一覧を HTML のページに保存しました。
echo "%page%"
echo ブラウザで開きます。見出しをクリックすると並べ替えられます。
echo あとで見るときは、このファイルをダブルクリックしてください。
rem いつものブラウザで開きます。
start "" "%page%"
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
del "%page%" 2>nul
echo.
echo HTML のページは保存しませんでした。上のメッセージを見てください。
:done
popd
echo.
pause
exit /b %status%
