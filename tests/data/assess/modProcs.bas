Attribute VB_Name = "modProcs"
Option Explicit
' Procedures of every start and end form.

Sub Plain()
End Sub
Public Function Twice(ByVal n As Long) As Long
    Twice = 2 * n
End Function
Private Sub WithComment() ' the end has a comment too
    ' a comment inside

    Debug.Print "End Sub"
    x = 1: End Sub
End Sub ' here it ends
Friend Function Scoped() As Long
    If Scoped = 0 Then Scoped = 1
End Function
Static Sub Kept()
    Dim n As Long
    n = n + 1
End Sub
Private Static Function Counted() As Long
    Counted = Counted + 1
End Function
Public Function Joined(ByVal a As Long, _
                       ByVal b As Long) As Long
    Joined = a + b
End Function

' Between procedures: not in any.

Public Property Get Name() As String
    Name = mName
End Property
Public Property Let Name(ByVal value As String)
    mName = value
End Property
Public Property Set Target(ByVal value As Object)
    Set mTarget = value
End Property
Private Function Choose(ByVal kind As Long, ByVal size As Long) As String
    Select Case kind
        Case 1, 2
            Select Case size
                Case Is < 10
                    If size < 0 Then Choose = "owed" Else Choose = "small"
                Case Else
                    If size > 99 Then Choose = "huge" Else Choose = "large"
            End Select
        Case 3
            If size > 0 Then
                Choose = "some"
            ElseIf size < 0 Then
                If size < -99 Then Choose = "deep" Else Choose = "owed"
            Else
                Choose = "none"
            End If
        Case Else
            If kind < 0 Then Choose = "?" Else Choose = ""
    End Select
End Function
Public Sub Loops()
    Dim i As Long
    Do
        i = i + 1
    Loop While i < 10
    While i > 0
        i = i - 1
    Wend
    For i = 1 To 3
        If i = 2 Then Exit For
    Next
End Sub
Private Declare Function GetTickCount Lib "kernel32" () As Long
Public Event Changed()
Private Sub Unended()
    If True Then Beep
Sub LastOne()
    Beep

