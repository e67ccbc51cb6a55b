Attribute VB_Name = "modRiskHigh"
Option Explicit
' GoSub in a comment is no jump
Public Sub Jumps()
    GoSub Inner
    Dim p As Long
    p = VarPtr(p) + StrPtr("x") + ObjPtr(Me)
    LinkExecute "[Open]"
    Debug.Print "GoSub in a string"
    GoSubX = 1 ' GoSub
    Exit Sub
Inner:
    Return
End Sub
