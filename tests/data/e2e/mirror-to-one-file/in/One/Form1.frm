VERSION 5.00
Begin VB.Form frmOrder 
   Caption         =   "Order"
   ClientHeight    =   2000
End
Attribute VB_Name = "frmOrder"
Attribute VB_PredeclaredId = True
Option Explicit

Public Event Saved(ByVal OrderId As Long)

Private Sub cmdSave_Click()
    On Error GoTo SaveFailed
    RaiseEvent Saved(1)
    Exit Sub
SaveFailed:
    MsgBox "Not saved"
End Sub
