VERSION 5.00
Begin VB.Form frmBill
   Caption         =   "Billing"
   ClientHeight    =   3195
   ClientWidth     =   4680
   Begin VB.CommandButton cmdPost
      Caption         =   "Post"
      Height          =   375
      Left            =   3360
      Top             =   2640
      Width           =   1215
   End
End
Attribute VB_Name = "frmBill"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

' Posts the open invoices of the day
Private Sub cmdPost_Click()
    Dim nPosted As Long
    Dim tax As New clsTax

    nPosted = PostInvoices(Date)
    If nPosted = 0 Then
        MsgBox "Nothing to post"
    ElseIf nPosted > 100 Then
        LogLine "Large batch: " & nPosted
    End If
End Sub

Private Sub Form_Load()
    Caption = "Billing " & App.Major & "." & App.Minor
End Sub
