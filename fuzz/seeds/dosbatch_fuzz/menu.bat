@echo off
cls
echo Menu
echo A:Office
echo.
choice /c:XA /t:X,10 Choose
if errorlevel 2 goto ZUBA_A
echo cancelled
goto QUIT
:ZUBA_A
regedit "C:\ZUBANET\A.reg"
goto QUIT
:QUIT
