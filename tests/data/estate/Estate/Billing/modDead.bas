Attribute VB_Name = "modDead"
Option Explicit

' Left over from the 1998 ledger; no project lists it any more
Public Function OldRate() As Double
    OldRate = 0.15
End Function
